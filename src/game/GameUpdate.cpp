#include "game/GameUpdate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "base/Pi.h"
#include "game/GameWorld.h"
#include "scene/Object.h"
#include "terrain/Terrain.h"

namespace {

constexpr int32_t firstStepMs = 20;      // the first update of every game
constexpr float longestStepMs = 250;     // a longer wait (a stopped process, a suspended laptop) is not played
constexpr float sunRadiansPerMs = 0.00008f;  // a day lasts about 39 s
constexpr float orbShrinkPerMs = 0.002f;
constexpr float collectedOrbScale = 0.4f;
constexpr float treeFallDegreesPerMs = 0.5f;
constexpr int hitPoints = 5;
constexpr float edgeMargin = 1.1f;       // keeps the vehicle's terrain reads inside the grid

// Where the vehicle may drive on a terrain of size grid points: edgeMargin
// in from the first point and 2.1 from the last, so that every terrain read
// of a step of at most maxMotionStep stays inside the grid; on a terrain too
// small for that, the middle.
void drivableRange(uint32_t size, float& low, float& high) {
    const float middle = (static_cast<float>(size) - 1) / 2;
    low = std::min(edgeMargin, std::max(middle, 0.0f));
    high = std::max(static_cast<float>(size - 2.1), low);
}

// One motion step: forward along the heading, never reading the terrain
// outside its grid, then kept on the drivable ground and tested against
// every tree and orb.
void driveStep(GameWorld& world, float distance) {
    Object& vehicle = *world.scene.vehicle;
    const Terrain& terrain = *world.scene.terrain;
    Vector3 to = vehicle.forwardPoint(distance);
    const float lastX = terrain.getWidth() > 0 ? static_cast<float>(terrain.getWidth() - 1) : 0.0f;
    const float lastZ = terrain.getDepth() > 0 ? static_cast<float>(terrain.getDepth() - 1) : 0.0f;
    vehicle.setPositionOnTerrain(std::clamp(to.x, 0.0f, lastX), std::clamp(to.z, 0.0f, lastZ));
    float lowX, highX, lowZ, highZ;
    drivableRange(terrain.getWidth(), lowX, highX);
    drivableRange(terrain.getDepth(), lowZ, highZ);
    vehicle.clampPosition(lowX, highX, -9999, 9999, lowZ, highZ);
    checkCollisions(world);
}

void drive(GameWorld& world, float stepMs) {
    const MotionSteps steps = motionStepsFor(stepMs, world.speed);
    for (int i = 0; i < steps.count; ++i) driveStep(world, steps.distance);
}

void shrinkCollectedOrbs(GameWorld& world, float stepMs) {
    for (int i = 0; i < orbCount; ++i) {
        if (!world.orbCollected[i]) continue;
        Object& orb = *world.scene.orbs[i];
        float scale = orb.getScale();
        if (scale > collectedOrbScale) {
            scale -= stepMs * orbShrinkPerMs;
            orb.setScale(scale < collectedOrbScale ? collectedOrbScale : scale);
        }
    }
}

void fellHitTrees(GameWorld& world, float stepMs) {
    for (int i = 0; i < treeCount; ++i) {
        Object& tree = *world.scene.trees[i];
        if (!world.treeFelled[i] || tree.getRotationX() >= 90) continue;
        tree.setRotationY(world.treeFallYaw[i]);
        tree.rotateX(stepMs * treeFallDegreesPerMs);
        if (tree.getRotationX() > 90) tree.setRotationX(90);  // lying on the ground
    }
}

void measureFrameRate(GameWorld& world, float stepMs) {
    float gathered = stepMs + world.fpsAccumMs;
    if (gathered > 1000) {
        world.fps = static_cast<int>(world.framesCounted / gathered * 1000);
        world.fpsAccumMs = 0;
        world.framesCounted = 0;
    } else {
        world.fpsAccumMs = gathered;
    }
}

}  // namespace

void setSunAngle(GameWorld& world, float angle) {
    if (angle >= pi) {
        world.sunHeight = 0;
        return;
    }
    float s = static_cast<float>(std::sin(angle));
    float c = static_cast<float>(std::cos(angle));
    world.sunHeight = s;
    world.towardsSun = {c, s, 0};  // rises along +x, sets along -x
    world.sunStrength = s;
}

void checkCollisions(GameWorld& world) {
    Object& vehicle = *world.scene.vehicle;
    for (int i = 0; i < treeCount; ++i) {
        if (world.treeFelled[i] || !vehicle.collidesWith(*world.scene.trees[i])) continue;
        // The tree falls along the vehicle's heading at the moment of the hit.
        world.treeFelled[i] = true;
        world.treeFallYaw[i] = vehicle.getRotationY();
        world.score -= hitPoints;
    }
    for (int i = 0; i < orbCount; ++i) {
        if (world.orbCollected[i] || !vehicle.collidesWith(*world.scene.orbs[i])) continue;
        world.orbCollected[i] = true;
        world.scene.orbs[i]->setAmbient(0, 0, 0.3f, 1);  // red turns blue
        world.scene.orbs[i]->setDiffuse(0.1f, 0.1f, 0.6f, 1);
        world.score += hitPoints;
    }
}

MotionSteps motionStepsFor(float stepMs, float speed) {
    const float travel = std::fabs(stepMs * speed);
    const float steps = std::max({1.0f, std::ceil(stepMs / maxMotionStepMs), std::ceil(travel / maxMotionStep)});
    MotionSteps motion;
    motion.count = std::isfinite(steps) ? static_cast<int>(std::min(steps, 1e6f)) : 1;
    motion.distance = stepMs * speed / static_cast<float>(motion.count);
    return motion;
}

float playedStepMs(int32_t now, int32_t previous) {
    const float stepMs = static_cast<float>(static_cast<uint32_t>(now) - static_cast<uint32_t>(previous));
    return std::min(stepMs, longestStepMs);
}

float takeStepMs(GameWorld& world, int32_t now) {
    if (!world.updatedThisGame) world.lastFrameMs = now - firstStepMs;
    world.updatedThisGame = true;
    const float stepMs = playedStepMs(now, world.lastFrameMs);
    world.lastFrameMs = now;
    return stepMs;
}

void updateWorld(GameWorld& world, float stepMs) {
    bool wasDay = world.sunAngle <= pi;
    double angle = world.sunAngle + stepMs * sunRadiansPerMs;
    if (angle > 2 * pi) angle = std::fmod(angle, 2 * pi);
    world.sunAngle = static_cast<float>(angle);
    bool isDay = world.sunAngle <= pi;

    shrinkCollectedOrbs(world, stepMs);
    fellHitTrees(world, stepMs);

    if (!wasDay && isDay) world.sunOn = true;
    if (wasDay && !isDay) world.sunOn = false;
    setSunAngle(world, world.sunAngle);

    // Driving tests the collisions at every motion step; standing, once.
    if (world.leftButtonDown) {
        drive(world, stepMs);
    } else {
        checkCollisions(world);
    }
    measureFrameRate(world, stepMs);
}
