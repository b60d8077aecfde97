#include "game/GameInput.h"

#include <algorithm>

#include "game/GameWorld.h"
#include "scene/Object.h"

namespace {
constexpr float speedPerPixel = 0.00005f;   // units per ms per pixel dragged up
constexpr float degreesPerPixel = 0.25f;    // turn per pixel dragged sideways
// 100 units a second either way: across the largest map in under a minute,
// and a frame's travel stays a few motion steps (GameUpdate.h).
constexpr float fastestSpeed = 0.1f;

}  // namespace

void pressMouseButton(GameWorld& world, bool leftButton, bool down, int x, int y) {
    if (leftButton) world.leftButtonDown = down;
    if (!down) return;
    world.lastMouseX = x;
    world.lastMouseY = y;
}

void movePointer(GameWorld& world, int x, int y) {
    world.lastMouseX = x;
    world.lastMouseY = y;
}

void dragPointer(GameWorld& world, int x, int y) {
    int dy = world.lastMouseY - y;  // GLUT's y grows downwards: dragging up is positive
    int dx = world.lastMouseX - x;
    world.lastMouseX = x;
    world.lastMouseY = y;
    if (!world.leftButtonDown) return;
    if (dy != 0) world.speed = std::clamp(world.speed + dy * speedPerPixel, -fastestSpeed, fastestSpeed);
    if (dx != 0) world.scene.vehicle->rotateY(dx * degreesPerPixel);
}

bool pressKey(GameWorld& world, unsigned char key) {
    switch (key) {
    case '1':
        setViewMode(world, ViewMode::ride);
        return true;
    case '2':
        setViewMode(world, ViewMode::chase);
        return true;
    case 'h':
        world.headlightsOn = !world.headlightsOn;
        return true;
    case 's':
        world.showOverlay = !world.showOverlay;
        return true;
    case 'x':
        world.shadowsOn = !world.shadowsOn;
        return true;
    default:
        return false;
    }
}
