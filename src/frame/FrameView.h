#pragma once
// The record of one game frame: everything the drawing of the frame reads,
// worked out once at the top of the display callback from GameWorld and the
// frame's memory. The drawing (FrameDrawing.h) takes this record and never
// sees the world. It lives for that one frame; what it points to belongs to
// the game.
#include "scene/SceneCounts.h"
#include "scene/ObjectList.h"
#include "base/Vector3.h"
#include "base/ViewMode.h"
#include "view/ViewVolume.h"

class DirectionalLight;
class NightSky;
class Object;
class ShadowGrid;
class SkyBox;
class SpotLight;
class Terrain;
class VisibleQuads;
struct FrameMemory;
struct GameWorld;

struct FrameView {
    // The camera's view, read once from GL after the camera was applied.
    double projection[16];  // column-major, as GL keeps it
    double modelview[16];   // the camera's view transform
    int viewport[4];        // the picture's rectangle in the window
    ViewVolume view;        // what the camera can see

    // The ground.
    const Terrain* terrain;
    const VisibleQuads* quads;  // the terrain quads in view
    bool shadowed;              // by day with shadows on: the shadow pass ran
    const ShadowGrid* shadows;  // its grid for the quads in view; null when it did not run

    // The sun and the lights.
    Vector3 towardsSun;         // unit direction towards the sun (as the sun light holds it)
    float sunHeight;            // sin(sunAngle) by day, 0 by night
    float sunAngle;             // radians
    DirectionalLight* sun;
    SpotLight* headlights[headlightCount];  // applied only when on
    bool headlightsOn;
    Vector3 vehiclePosition;    // where the headlights sit
    Vector3 vehicleRotation;    // degrees

    // The sky, and the way the player sees it.
    const SkyBox* sky;
    const NightSky* stars;
    ViewMode viewMode;
    float headingDegrees;       // the vehicle's rotation about y, which turns the ride view's sky

    // What is drawn, in order.
    ObjectList trees;
    ObjectList orbs;
    const Object* vehicle;      // null in the ride view: the eye sits inside it
    ObjectList casters;         // what casts a shadow: trees, orbs, then the vehicle

    // Flat drawing over the scene.
    bool showOverlay;
    int score;
    int fps;
};

// By day with shadows on, every frame starts with the shadow pass.
bool shadowPassRuns(const GameWorld& world);

// Applies the camera to an identity modelview matrix, reads the view, chooses
// the quads in view and, when shadowPassRuns, runs the shadow pass into the
// frame's memory. Leaves the scene's GL state (SceneGlState.h) with the
// modelview matrix at identity, and the back buffer to be cleared.
FrameView makeFrameView(const GameWorld& world, FrameMemory& memory);
