#pragma once
// The game's rules work on this record: plain values and the scene's
// objects, no GL state. It lives for one game screen (GameScreen.h): initWorld
// builds a game into it and resets the game's fields, releaseWorld gives the
// scene back. Fields marked "kept" carry over from one game to the next.
// Input changes it (GameInput.h), updateWorld advances it (GameUpdate.h), and
// the display reads it once at the top of each frame into the frame's record
// (GameFrame.h), counting the frame in framesCounted; the drawing itself never
// sees it.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Vector3.h"
#include "base/ViewMode.h"
#include "scene/SceneCounts.h"

class Camera;
class NightSky;
class Object;
class SkyBox;
class Terrain;

// Everything a game owns. Assigning an empty scene (scene = {}) releases it
// member by member in the order declared: terrain, sky, vehicle, trees,
// orbs, camera, stars.
struct GameScene {
    GameScene();
    GameScene(GameScene&&) noexcept;
    GameScene& operator=(GameScene&&) noexcept;
    ~GameScene();

    std::unique_ptr<Terrain> terrain;
    std::unique_ptr<SkyBox> sky;
    std::unique_ptr<Object> vehicle;
    std::array<std::unique_ptr<Object>, treeCount> trees;
    std::array<std::unique_ptr<Object>, orbCount> orbs;
    std::unique_ptr<Camera> camera;
    std::unique_ptr<NightSky> stars;
};

struct GameWorld {
    GameScene scene;

    // What the frame draws, borrowed from the scene and listed once a game:
    // the trees, then the orbs, then the vehicle. Every one casts a shadow.
    std::vector<const Object*> scenery;

    float treeFallYaw[treeCount] = {};  // degrees: the heading a felled tree falls along
    bool treeFelled[treeCount] = {};    // hit once; a felled tree never scores again
    bool orbCollected[orbCount] = {};

    // Player state.
    bool headlightsOn = false;     // the frame switches the headlights to match
    ViewMode cameraMode = ViewMode::chase;  // the vehicle is drawn in the chase view only
    float speed = 0.003f;          // world units per millisecond while driving
    bool leftButtonDown = false;
    int lastMouseX = 0;            // kept: last pointer position seen, window pixels
    int lastMouseY = 0;            // kept

    // Time of day: day while 0 <= sunAngle <= pi, night up to 2 pi. The sun
    // is these numbers; the frame sends them to its light.
    float sunAngle = 0;            // radians
    float sunHeight = 0;           // sin(sunAngle) by day, 0 by night
    bool sunOn = true;             // switched off as the day ends, on as the night ends
    float sunStrength = 0;         // diffuse and specular grey while on, 0 ... 1
    Vector3 towardsSun{0, 0, -1};  // unit direction towards the sun, kept through the night

    int score = 0;                 // may go negative
    int fps = 0;                   // kept: frames per second last measured
    float fpsAccumMs = 0;          // time gathered towards the next measurement
    int framesCounted = 0;         // frames drawn since the last measurement
    bool updatedThisGame = false;  // the game's first update has run
    int32_t lastFrameMs = 0;       // kept: clock of the previous update

    bool showOverlay = false;      // draw the shadow picture overlay
    bool shadowsOn = true;
};

// BRELLOW_SEED's value as a seed: a whole number from 0 to 4294967295 in
// decimal digits, nothing else. False (seed unchanged) for anything else.
bool parseSeed(const char* text, uint32_t& seed);

// Builds a complete new game into world. The random generator is seeded with
// the time in seconds, or with seed; without a seed, BRELLOW_SEED fixes it
// when it is a whole number, and anything else set there gets a warning line.
// Makes no GL call: the objects' models and pictures are read here and
// uploaded when the frame first draws them.
void initWorld(GameWorld& world);
void initWorld(GameWorld& world, uint32_t seed);

// Gives back everything the world's scene owns (safe on a partly built one).
void releaseWorld(GameWorld& world);

// Switches the view ('1', '2', and a resumed game's snapshot): the camera
// follows the vehicle from its seat or from behind.
void setViewMode(GameWorld& world, ViewMode mode);
