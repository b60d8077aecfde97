#pragma once
// The game's GL lights: the sun and the two headlights. The rules keep the
// sun and the headlights as numbers (GameWorld); the frame's view pass sends
// those numbers to these lights. They hold light slots, so they are made by
// the first frame of a game (the sun first, so it takes the first free slot)
// and given back with the frame's memory when the game ends.
#include <array>
#include <memory>

#include "scene/SceneCounts.h"

class DirectionalLight;
class SpotLight;
struct FrameView;

class FrameLights {
public:
    FrameLights();
    ~FrameLights();

    // Makes the lights when they are not made yet. Throws "Too many lights!"
    // when the slots run out.
    void make();

    // Gives the slots back.
    void release();

    // Switches, dims and places the lights as the frame's record says. Needs
    // the camera's view in the modelview matrix, and leaves it there: the sun
    // is then fixed in the world, and the headlights sit on the vehicle.
    void send(const FrameView& frame);

    bool made() const { return sun != nullptr; }

private:
    std::unique_ptr<DirectionalLight> sun;
    std::array<std::unique_ptr<SpotLight>, headlightCount> headlights;
};
