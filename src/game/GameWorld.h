#pragma once
// The game state. One GameWorld lives for the whole process. Everything it
// owns is made by initWorld and released by endGame, so it lives for one
// game; fields marked "kept" carry over from one game to the next. Input
// callbacks change it, gameIdle advances it and gameDisplay only reads it.
#include <cstdint>
#include <vector>

#include "game/GameSnapshot.h"
#include "hud/ShadowPass.h"
#include "platform/ScreenLoop.h"
#include "terrain/QuadBatch.h"
#include "terrain/VisibleQuads.h"

class Camera;
class DirectionalLight;
class NightSky;
class Object;
class SkyBox;
class SpotLight;
class Terrain;

constexpr int treeCount = 36;
constexpr int orbCount = 24;
constexpr int headlightCount = 2;
constexpr float standingTree = 427.0f;  // treeFallYaw of a tree that has not been hit

struct GameWorld {
    // The scene, owned from initWorld to endGame.
    Terrain* terrain = nullptr;
    SkyBox* sky = nullptr;
    NightSky* stars = nullptr;
    Object* vehicle = nullptr;
    Object* trees[treeCount] = {};
    float treeFallYaw[treeCount] = {};  // degrees; standingTree until hit
    bool treeFelled[treeCount] = {};    // hit once; a felled tree never scores again
    Object* orbs[orbCount] = {};
    bool orbCollected[orbCount] = {};
    DirectionalLight* sun = nullptr;
    SpotLight* headlights[headlightCount] = {};
    Camera* camera = nullptr;

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
    int32_t lastFrameMs = 0;       // clock of the previous update; 0 = none yet in this game

    bool showOverlay = false;      // draw the shadow picture overlay
    bool shadowsOn = true;

    // What casts a shadow, in the order drawn: trees, orbs, then the vehicle.
    std::vector<const Object*> shadowCasters;
    // Memory of the frame's record, made by the first frame of a game and
    // refilled by every frame after it.
    ShadowBuffers shadowBuffers;   // the silhouette picture and the shadow grid
    VisibleQuads drawnQuads;       // the terrain quads in view
    QuadBatch terrainBatch;        // room to send them in

    GameSnapshot leaving{};        // the vehicle as it was when the quit key came
    ScreenExit exit;               // the game screen's return point and running flag
};

extern GameWorld world;

// Builds a complete new world and sets the GL state the game expects. The
// random generator is seeded with the time in seconds, or with seed.
void initWorld();
void initWorld(uint32_t seed);

// Releases everything the world owns (safe on a partly built world).
void releaseWorld();

// Keeps the snapshot values, releases the world and leaves the game screen.
// Does not return.
[[noreturn]] void endGame();
