#include "game/GameLoop.h"

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
    Object& vehicle = *world.scene.vehicle;
    vehicle.setPosition(snapshot.position.x, snapshot.position.y, snapshot.position.z);
    vehicle.setRotation(snapshot.rotation.x, snapshot.rotation.y, snapshot.rotation.z);
    world.cameraMode = snapshot.cameraMode;
    if (world.cameraMode == ViewMode::ride) {
        world.scene.camera->ride(world.scene.vehicle.get());
    } else {
        world.scene.camera->chase(world.scene.vehicle.get());
    }
}

}  // namespace

void playWorld() {
    // Returns after endGame has released the world, or after a callback
    // failed (rethrown here once the world is released too).
    try {
        runScreen(world.exit(), {guardCallback<gameDisplay>, guardCallback<gameMouse>,
                               guardCallback<gameKeyboard>, guardCallback<gameMotion>,
                               guardCallback<gamePassiveMotion>, guardCallback<gameIdle>,
                               guardCallback<gameShown>});
    } catch (...) {
        releaseWorld();
        throw;
    }
}

void runGame(GameSnapshot* snapshot, bool newGame) {
    initWorld();
    if (snapshot && !newGame) resume(*snapshot);
    playWorld();
    if (snapshot) *snapshot = world.leaving;
}
