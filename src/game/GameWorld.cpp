#include "game/GameWorld.h"

#include <GL/gl.h>

#include <cstdlib>
#include <ctime>
#include <iterator>

#include "game/GameUpdate.h"
#include "platform/HeapUpkeep.h"
#include "platform/Random.h"
#include "lighting/DirectionalLight.h"
#include "lighting/SpotLight.h"
#include "scene/Object.h"
#include "sky/NightSky.h"
#include "sky/SkyBox.h"
#include "terrain/Terrain.h"
#include "view/Camera.h"
#include "view/Projection.h"

GameWorld world;

namespace {

constexpr float skyRadius = 5.0f;
constexpr int starCount = 3000;
constexpr float vehicleStartX = 64;
constexpr float vehicleStartZ = 64;

void buildVehicle() {
    world.vehicle = new Object("HumVee.obj", "Camo.bmp", world.terrain);
    Object& vehicle = *world.vehicle;
    vehicle.setModelRotationY(-90);  // the model faces +x; the game drives along +z
    vehicle.setPositionOnTerrain(vehicleStartX, vehicleStartZ);
    vehicle.setScale(0.75f);
    vehicle.setShininess(3.0f);
    vehicle.setDiffuse(0.75f, 0.75f, 0.75f, 1);
    vehicle.setSpecular(0.75f, 0.75f, 0.75f, 1);
}

// A random grid point of the terrain and its height; x is drawn first.
void randomGridPoint(int width, int depth, int& column, int& row, float& height) {
    column = randomInt(width);
    row = randomInt(depth);
    height = 0;
    world.terrain->getHeight(column, row, height);
}

void buildTrees(int width, int depth) {
    for (int i = 0; i < treeCount; ++i) {
        int column, row;
        float height;
        randomGridPoint(width, depth, column, row, height);
        world.trees[i] = new Object("Tree.obj", "Tree.bmp");
        Object& tree = *world.trees[i];
        tree.setPosition(static_cast<float>(column), height - 0.03f, static_cast<float>(row));
        tree.setRotationY(-20);
        tree.setScale(3.0f);
        tree.setRadius(0.5f);
        tree.setDiffuse(1, 1, 1, 1);
        tree.setRotationOrder(2, 1, 3);  // heading first, so a felled tree falls along it
        world.treeFallYaw[i] = standingTree;
        world.treeFelled[i] = false;
    }
}

void buildOrbs(int width, int depth) {
    for (int i = 0; i < orbCount; ++i) {
        int column, row;
        float height;
        randomGridPoint(width, depth, column, row, height);
        world.orbs[i] = new Object(Object::sphereType, world.terrain);
        Object& orb = *world.orbs[i];
        orb.setScale(1.0f);
        orb.setPosition(static_cast<float>(column), static_cast<float>(height + 5.0 / 7.0),
                        static_cast<float>(row));
        orb.setAmbient(0.3f, 0, 0, 1);
        orb.setDiffuse(0.6f, 0.1f, 0.1f, 1);
        orb.setSpecular(0, 0, 0, 1);
        orb.setShininess(0);
        world.orbCollected[i] = false;
    }
}

void buildLights() {
    world.sun = new DirectionalLight();
    for (int i = 0; i < headlightCount; ++i) {
        world.headlights[i] = new SpotLight();
        // In the vehicle's own frame: either side, ahead of its centre.
        world.headlights[i]->setPosition(i == 0 ? 1.0f : -1.0f, 0.5f, 1.8f);
        world.headlights[i]->setDirection(0, 0, 1);
        world.headlights[i]->disable();
    }
    world.headlightsOn = false;
}

void setGameGlState() {
    glClearColor(0, 0, 0, 1);
    glShadeModel(GL_SMOOTH);
    loadGameProjection();
    glLoadIdentity();
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
}

void buildWorld(uint32_t seed) {
    seedRandom(seed);
    world.terrain = new Terrain("Terrain.bmp", "Grass.bmp");
    world.sky = new SkyBox(skyRadius, "Sky.bmp");
    // The stars draw from the generator between the seeding and the placing
    // of trees and orbs.
    world.stars = new NightSky(skyRadius * 0.5f, starCount);
    buildVehicle();
    int width = static_cast<int>(static_cast<float>(world.terrain->getWidth()));
    int depth = static_cast<int>(static_cast<float>(world.terrain->getDepth()));
    buildTrees(width, depth);
    buildOrbs(width, depth);
    buildLights();
    world.camera = new Camera(0, 0, 0);
    world.camera->chase(world.vehicle);

    world.shadowCasters.assign(std::begin(world.trees), std::end(world.trees));
    world.shadowCasters.insert(world.shadowCasters.end(), std::begin(world.orbs), std::end(world.orbs));
    world.shadowCasters.push_back(world.vehicle);

    world.cameraMode = ViewMode::chase;
    world.speed = 0.003f;
    world.leftButtonDown = false;
    world.sunAngle = 0;
    setSunAngle(0);
    world.score = 0;
    world.framesCounted = 0;
    world.fpsAccumMs = 0;
    // The first update of every game takes the 20 ms step, so time spent on
    // the menu between games does not move the new game's sun.
    world.lastFrameMs = 0;
    world.shadowsOn = true;
    world.showOverlay = false;
    setGameGlState();
    returnFreedMemory();  // what reading and scaling the files left behind
}

template <typename T>
void release(T*& owned) {
    delete owned;
    owned = nullptr;
}

}  // namespace

// The world is seeded with the time in seconds, so each game is laid out
// afresh. BRELLOW_SEED, when set to a number, fixes the layout instead: the
// end-to-end tests use it to play a known world.
void initWorld() {
    uint32_t seed = static_cast<uint32_t>(std::time(nullptr));
    if (const char* fixed = std::getenv("BRELLOW_SEED"))
        seed = static_cast<uint32_t>(std::strtoul(fixed, nullptr, 10));
    initWorld(seed);
}

void initWorld(uint32_t seed) {
    try {
        buildWorld(seed);
    } catch (...) {
        releaseWorld();  // what was built before the failure
        throw;
    }
}

void releaseWorld() {
    release(world.terrain);
    release(world.sky);
    release(world.vehicle);
    for (Object*& tree : world.trees) release(tree);
    for (Object*& orb : world.orbs) release(orb);
    release(world.sun);
    for (SpotLight*& headlight : world.headlights) release(headlight);
    release(world.camera);
    release(world.stars);
    world.shadowCasters = {};
    world.shadowBuffers.release();
    world.terrainBatch.release();
    world.drawnQuads = {};
}

void endGame() {
    if (world.vehicle) {
        world.leaving.position = world.vehicle->getPosition();
        world.leaving.rotation = world.vehicle->getRotation();
    }
    world.leaving.cameraMode = world.cameraMode;
    releaseWorld();
    leaveScreen(world.exit);
}
