#include "game/GameLoop.h"

#include <GL/freeglut.h>

#include "game/GameDisplay.h"
#include "game/GameInput.h"
#include "game/GameUpdate.h"
#include "game/GameWorld.h"
#include "scene/Object.h"
#include "view/Camera.h"

namespace {

// Puts the vehicle back where the snapshot left it (not re-fitted to the
// terrain) and takes the view it had, as the keys '1' and '2' would.
void resume(const GameSnapshot& snapshot) {
    Object& vehicle = *world.vehicle;
    vehicle.setPosition(snapshot.position.x, snapshot.position.y, snapshot.position.z);
    vehicle.setRotation(snapshot.rotation.x, snapshot.rotation.y, snapshot.rotation.z);
    world.cameraMode = snapshot.cameraMode;
    if (world.cameraMode == 1) {
        world.camera->ride(world.vehicle);
    } else {
        world.camera->chase(world.vehicle);
    }
}

// The display callback stays until the next screen installs its own.
void withdrawInputCallbacks() {
    glutMouseFunc(nullptr);
    glutKeyboardFunc(nullptr);
    glutMotionFunc(nullptr);
    glutPassiveMotionFunc(nullptr);
    glutIdleFunc(nullptr);
}

}  // namespace

void runGame(GameSnapshot* snapshot, bool newGame) {
    initWorld();
    if (snapshot && !newGame) resume(*snapshot);

    glutDisplayFunc(guardCallback<gameDisplay>);
    glutMouseFunc(guardCallback<gameMouse>);
    glutKeyboardFunc(guardCallback<gameKeyboard>);
    glutMotionFunc(guardCallback<gameMotion>);
    glutPassiveMotionFunc(guardCallback<gamePassiveMotion>);
    glutIdleFunc(guardCallback<gameIdle>);
    glutSwapBuffers();
    glutPostRedisplay();

    // Returns after endGame has released the world, or after a callback
    // failed (rethrown here once the world is released).
    try {
        enterScreenLoop(world.exit);
    } catch (...) {
        withdrawInputCallbacks();
        releaseWorld();
        throw;
    }
    withdrawInputCallbacks();
    if (snapshot) *snapshot = world.leaving;
}
