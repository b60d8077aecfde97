#include "game/GameWorld.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "game/GameUpdate.h"
#include "base/HeapUpkeep.h"
#include "base/Random.h"
#include "scene/Object.h"
#include "sky/NightSky.h"
#include "sky/SkyBox.h"
#include "terrain/Terrain.h"
#include "view/Camera.h"

GameScene::GameScene() = default;
GameScene::GameScene(GameScene&&) noexcept = default;
GameScene& GameScene::operator=(GameScene&&) noexcept = default;
GameScene::~GameScene() = default;

namespace {

constexpr float skyRadius = 5.0f;
constexpr int starCount = 3000;
constexpr float vehicleStartX = 64;
constexpr float vehicleStartZ = 64;

void buildVehicle(GameScene& scene) {
    scene.vehicle = std::make_unique<Object>("HumVee.obj", "Camo.bmp", scene.terrain.get());
    Object& vehicle = *scene.vehicle;
    vehicle.setModelRotationY(-90);  // the model faces +x; the game drives along +z
    // On a terrain too small for the start, the grid point nearest to it.
    const Terrain& terrain = *scene.terrain;
    auto nearest = [](float start, uint32_t size) { return size > 0 ? std::min(start, size - 1.0f) : 0.0f; };
    vehicle.setPositionOnTerrain(nearest(vehicleStartX, terrain.getWidth()), nearest(vehicleStartZ, terrain.getDepth()));
    vehicle.setScale(0.75f);
    vehicle.setShininess(3.0f);
    vehicle.setDiffuse(0.75f, 0.75f, 0.75f, 1);
    vehicle.setSpecular(0.75f, 0.75f, 0.75f, 1);
}

// A random grid point of the terrain and its height; x is drawn first.
void randomGridPoint(const Terrain& terrain, int width, int depth, int& column, int& row, float& height) {
    column = randomInt(width);
    row = randomInt(depth);
    height = 0;
    terrain.getHeight(column, row, height);
}

void buildTrees(GameWorld& world, int width, int depth) {
    GameScene& scene = world.scene;
    for (int i = 0; i < treeCount; ++i) {
        int column, row;
        float height;
        randomGridPoint(*scene.terrain, width, depth, column, row, height);
        scene.trees[i] = std::make_unique<Object>("Tree.obj", "Tree.bmp");
        Object& tree = *scene.trees[i];
        tree.setPosition(static_cast<float>(column), height - 0.03f, static_cast<float>(row));
        tree.setRotationY(-20);
        tree.setScale(3.0f);
        tree.setRadius(0.5f);
        tree.setDiffuse(1, 1, 1, 1);
        tree.setRotationOrder(2, 1, 3);  // heading first, so a felled tree falls along it
        world.treeFallYaw[i] = 0;
        world.treeFelled[i] = false;
    }
}

void buildOrbs(GameWorld& world, int width, int depth) {
    GameScene& scene = world.scene;
    for (int i = 0; i < orbCount; ++i) {
        int column, row;
        float height;
        randomGridPoint(*scene.terrain, width, depth, column, row, height);
        scene.orbs[i] = std::make_unique<Object>(Object::sphereType, scene.terrain.get());
        Object& orb = *scene.orbs[i];
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

// The drawing order of the frame: trees, orbs, then the vehicle.
void listScenery(GameWorld& world) {
    const GameScene& scene = world.scene;
    world.scenery.clear();
    for (const auto& tree : scene.trees) world.scenery.push_back(tree.get());
    for (const auto& orb : scene.orbs) world.scenery.push_back(orb.get());
    world.scenery.push_back(scene.vehicle.get());
}

void buildWorld(GameWorld& world, uint32_t seed) {
    GameScene& scene = world.scene;
    seedRandom(seed);
    scene.terrain = std::make_unique<Terrain>("Terrain.bmp", "Grass.bmp");
    scene.sky = std::make_unique<SkyBox>(skyRadius, "Sky.bmp");
    // The stars draw from the generator between the seeding and the placing
    // of trees and orbs.
    scene.stars = std::make_unique<NightSky>(skyRadius * 0.5f, starCount);
    buildVehicle(scene);
    int width = static_cast<int>(static_cast<float>(scene.terrain->getWidth()));
    int depth = static_cast<int>(static_cast<float>(scene.terrain->getDepth()));
    buildTrees(world, width, depth);
    buildOrbs(world, width, depth);
    scene.camera = std::make_unique<Camera>(0, 0, 0);
    listScenery(world);

    setViewMode(world, ViewMode::chase);
    world.headlightsOn = false;
    world.speed = 0.003f;
    world.leftButtonDown = false;
    world.sunAngle = 0;
    world.sunOn = true;
    setSunAngle(world, 0);
    world.score = 0;
    world.framesCounted = 0;
    world.fpsAccumMs = 0;
    // Every game's first update takes a step of 20 ms, so time spent on the
    // menu between games does not move the new game's sun.
    world.updatedThisGame = false;
    world.shadowsOn = true;
    world.showOverlay = false;
    returnFreedMemory();  // what reading the files left behind
}

}  // namespace

bool parseSeed(const char* text, uint32_t& seed) {
    if (!text || !*text) return false;
    uint64_t value = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9' || c - text >= 10) return false;
        value = value * 10 + static_cast<uint64_t>(*c - '0');
    }
    if (value > UINT32_MAX) return false;
    seed = static_cast<uint32_t>(value);
    return true;
}

// The world is seeded with the time in seconds, so each game is laid out
// afresh. BRELLOW_SEED, when set to a number, fixes the layout instead: the
// end-to-end tests use it to play a known world.
void initWorld(GameWorld& world) {
    uint32_t seed = static_cast<uint32_t>(std::time(nullptr));
    if (const char* fixed = std::getenv("BRELLOW_SEED")) {
        if (!parseSeed(fixed, seed)) {
            std::fprintf(stderr, "Warning: BRELLOW_SEED=\"%s\" is not a whole number from 0 to 4294967295; "
                                 "the seed comes from the time.\n", fixed);
            seed = static_cast<uint32_t>(std::time(nullptr));
        }
    }
    initWorld(world, seed);
}

void initWorld(GameWorld& world, uint32_t seed) {
    try {
        buildWorld(world, seed);
    } catch (...) {
        releaseWorld(world);  // what was built before the failure
        throw;
    }
}

void releaseWorld(GameWorld& world) {
    world.scene = {};
    world.scenery = {};
}

void setViewMode(GameWorld& world, ViewMode mode) {
    world.cameraMode = mode;
    if (mode == ViewMode::ride) {
        world.scene.camera->ride(world.scene.vehicle.get());
    } else {
        world.scene.camera->chase(world.scene.vehicle.get());
    }
}
