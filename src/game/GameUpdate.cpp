#include "game/GameUpdate.h"

#include <GL/freeglut.h>

#include <cmath>
#include <cstdint>

#include "platform/Pi.h"
#include "game/GameClock.h"
#include "game/GameWorld.h"
#include "lighting/DirectionalLight.h"
#include "scene/Object.h"
#include "terrain/Terrain.h"

namespace {

constexpr int32_t firstStepMs = 20;      // the first update of every game
constexpr float sunRadiansPerMs = 0.00008f;  // a day lasts about 39 s
constexpr float orbShrinkPerMs = 0.002f;
constexpr float collectedOrbScale = 0.4f;
constexpr float treeFallDegreesPerMs = 0.5f;
constexpr int hitPoints = 5;
constexpr float edgeMargin = 1.1f;       // keeps the vehicle's terrain reads inside the grid

void drive(float stepMs) {
    Object& vehicle = *world.scene.vehicle;
    vehicle.moveForward(stepMs * world.speed);
    float maxX = static_cast<float>(world.scene.terrain->getWidth() - 2.1);
    float maxZ = static_cast<float>(world.scene.terrain->getDepth() - 2.1);
    vehicle.clampPosition(edgeMargin, maxX, -9999, 9999, edgeMargin, maxZ);
}

void shrinkCollectedOrbs(float stepMs) {
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

void fellHitTrees(float stepMs) {
    for (int i = 0; i < treeCount; ++i) {
        Object& tree = *world.scene.trees[i];
        if (!world.treeFelled[i] || tree.getRotationX() >= 90) continue;
        tree.setRotationY(world.treeFallYaw[i]);
        tree.rotateX(stepMs * treeFallDegreesPerMs);
    }
}

void measureFrameRate(float stepMs) {
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

void setSunAngle(float angle) {
    if (angle >= pi) {
        world.sunHeight = 0;
        return;
    }
    float s = static_cast<float>(std::sin(angle));
    float c = static_cast<float>(std::cos(angle));
    world.sunHeight = s;
    world.scene.sun->setDirection(c, s, 0);  // rises along +x, sets along -x
    world.scene.sun->setIntensity(s);
}

void checkCollisions() {
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

void gameIdle() {
    int32_t now = currentTimeMs();
    if (!world.updatedThisGame) world.lastFrameMs = now - firstStepMs;
    world.updatedThisGame = true;
    float stepMs = static_cast<float>(static_cast<uint32_t>(now) - static_cast<uint32_t>(world.lastFrameMs));

    if (world.leftButtonDown) drive(stepMs);

    bool wasDay = world.sunAngle <= pi;
    double angle = world.sunAngle + stepMs * sunRadiansPerMs;
    if (angle > 2 * pi) angle -= 2 * pi;
    world.sunAngle = static_cast<float>(angle);
    bool isDay = world.sunAngle <= pi;

    shrinkCollectedOrbs(stepMs);
    fellHitTrees(stepMs);

    if (!wasDay && isDay) world.scene.sun->enable();
    if (wasDay && !isDay) world.scene.sun->disable();
    setSunAngle(world.sunAngle);

    checkCollisions();
    measureFrameRate(stepMs);
    world.lastFrameMs = now;
    glutPostRedisplay();
}
