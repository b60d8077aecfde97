#pragma once
// The game state. One GameWorld lives for the whole process; what it owns
// lives for one game: initWorld builds the scene and resets the game's
// fields, endGame releases the scene. Fields marked "kept" carry over from
// one game to the next. Input callbacks change it, gameIdle advances it, and
// gameDisplay reads it once at the top of each frame into the frame's record
// (FrameView.h), counting the frame in framesCounted; the drawing itself
// never sees it.
#include <array>
#include <csetjmp>
#include <cstdint>
#include <memory>
#include <vector>

#include "game/GameSnapshot.h"
#include "scene/SceneCounts.h"
#include "platform/ScreenLoop.h"
#include "base/ViewMode.h"

class Camera;
class DirectionalLight;
class NightSky;
class Object;
class SkyBox;
class SpotLight;
class Terrain;

// Everything a game owns. Assigning an empty scene (scene = {}) releases it
// member by member in the order declared: terrain, sky, vehicle, trees,
// orbs, sun, headlights, camera, stars.
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
    std::unique_ptr<DirectionalLight> sun;
    std::array<std::unique_ptr<SpotLight>, headlightCount> headlights;
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
    bool headlightsOn = false;
    ViewMode cameraMode = ViewMode::chase;  // the vehicle is drawn in the chase view only
    float speed = 0.003f;          // world units per millisecond while driving
    bool leftButtonDown = false;
    int lastMouseX = 0;            // kept: last pointer position seen, window pixels
    int lastMouseY = 0;            // kept

    // Time of day: day while 0 <= sunAngle <= pi, night up to 2 pi.
    float sunAngle = 0;            // radians
    float sunHeight = 0;           // sin(sunAngle) by day, 0 by night

    int score = 0;                 // may go negative
    int fps = 0;                   // kept: frames per second last measured
    float fpsAccumMs = 0;          // time gathered towards the next measurement
    int framesCounted = 0;         // frames drawn since the last measurement
    bool updatedThisGame = false;  // the game's first update has run
    int32_t lastFrameMs = 0;       // kept: clock of the previous update

    bool showOverlay = false;      // draw the shadow picture overlay
    bool shadowsOn = true;

    GameSnapshot leaving{};        // the vehicle as it was when the quit key came

    // The game screen's way out of the GLUT main loop (ScreenLoop.h).
    std::jmp_buf gameReturnPoint;  // where playWorld continues after endGame
    bool gameRunning = false;      // true while the game's main loop should run
    ScreenExit exit() { return {gameReturnPoint, gameRunning}; }
};

extern GameWorld world;

// BRELLOW_SEED's value as a seed: a whole number from 0 to 4294967295 in
// decimal digits, nothing else. False (seed unchanged) for anything else.
bool parseSeed(const char* text, uint32_t& seed);

// Builds a complete new world and sets the GL state the game expects. The
// random generator is seeded with the time in seconds, or with seed;
// without a seed, BRELLOW_SEED fixes it when it is a whole number, and
// anything else set there gets a warning line.
void initWorld();
void initWorld(uint32_t seed);

// Releases everything the world and the frame's memory own (safe on a
// partly built world).
void releaseWorld();

// Keeps the snapshot values, releases the world and leaves the game screen.
// Does not return.
[[noreturn]] void endGame();
