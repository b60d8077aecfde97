#include "game/GameInput.h"

#include <GL/freeglut.h>

#include <algorithm>

#include "game/GameWorld.h"
#include "base/QuitKeys.h"
#include "lighting/SpotLight.h"
#include "scene/Object.h"
#include "view/Camera.h"

namespace {
constexpr float speedPerPixel = 0.00005f;   // units per ms per pixel dragged up
constexpr float degreesPerPixel = 0.25f;    // turn per pixel dragged sideways
// 100 units a second either way: across the largest map in under a minute,
// and a frame's travel stays a few motion steps (GameUpdate.h).
constexpr float fastestSpeed = 0.1f;

void switchHeadlights() {
    world.headlightsOn = !world.headlightsOn;
    for (const auto& headlight : world.scene.headlights) {
        if (world.headlightsOn) {
            headlight->enable();
        } else {
            headlight->disable();
        }
    }
}
}  // namespace

void gameMouse(int button, int state, int, int) {
    if (button == GLUT_LEFT_BUTTON) world.leftButtonDown = (state == GLUT_DOWN);
}

void gamePassiveMotion(int x, int y) {
    world.lastMouseX = x;
    world.lastMouseY = y;
}

void gameMotion(int x, int y) {
    int dy = world.lastMouseY - y;  // GLUT's y grows downwards: dragging up is positive
    int dx = world.lastMouseX - x;
    world.lastMouseX = x;
    world.lastMouseY = y;
    if (!world.leftButtonDown) return;
    if (dy != 0) world.speed = std::clamp(world.speed + dy * speedPerPixel, -fastestSpeed, fastestSpeed);
    if (dx != 0) world.scene.vehicle->rotateY(dx * degreesPerPixel);
}

void gameKeyboard(unsigned char key, int, int) {
    if (isQuitKey(key)) endGame();
    switch (key) {
    case '1':
        world.cameraMode = ViewMode::ride;
        world.scene.camera->ride(world.scene.vehicle.get());
        break;
    case '2':
        world.cameraMode = ViewMode::chase;
        world.scene.camera->chase(world.scene.vehicle.get());
        break;
    case 'h':
        switchHeadlights();
        break;
    case 's':
        world.showOverlay = !world.showOverlay;
        break;
    case 'x':
        world.shadowsOn = !world.shadowsOn;
        break;
    default:
        return;
    }
    glutPostRedisplay();
}
