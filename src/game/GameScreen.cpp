#include "game/GameScreen.h"

#include <GL/freeglut.h>

#include "base/QuitKeys.h"
#include "frame/FrameDrawing.h"
#include "game/GameClock.h"
#include "game/GameFrame.h"
#include "game/GameInput.h"
#include "game/GameUpdate.h"
#include "platform/FramePasses.h"
#include "platform/GameWindow.h"
#include "scene/Object.h"
#include "shadow/ShadowPass.h"
#include "sky/SkyPass.h"
#include "terrain/Terrain.h"

namespace {

// GLUT's callbacks take no argument, so they reach the game being played
// through this pointer: set by playWorld for as long as the screen runs.
GameScreen* playing = nullptr;

// Puts the vehicle back where the snapshot left it (not re-fitted to the
// terrain) and takes the view it had, as the keys '1' and '2' would.
void resume(GameWorld& world, const GameSnapshot& snapshot) {
    Object& vehicle = *world.scene.vehicle;
    vehicle.setPosition(snapshot.position.x, snapshot.position.y, snapshot.position.z);
    vehicle.setRotation(snapshot.rotation.x, snapshot.rotation.y, snapshot.rotation.z);
    setViewMode(world, snapshot.cameraMode);
}

void releaseGame(GameScreen& game) {
    releaseWorld(game.world);
    game.frame.release();
}

}  // namespace

GameScreen* gameBeingPlayed() { return playing; }

void stepGame(GameScreen& game) { updateWorld(game.world, takeStepMs(game.world, currentTimeMs())); }

FrameView displayGame(GameScreen& game) {
    const FrameView frame = makeFrameView(game.world, game.frame.drawnQuads);
    endFramePass(FramePass::quadChoice);
    drawFrame(frame, game.frame);
    showFrame();
    endFramePass(FramePass::swap);
    ++game.world.framesCounted;
    return frame;
}

void gameIdle() {
    stepGame(*playing);
    glutPostRedisplay();
}

void gameDisplay() { displayGame(*playing); }

void gameMouse(int button, int state, int x, int y) {
    pressMouseButton(playing->world, button == GLUT_LEFT_BUTTON, state == GLUT_DOWN, x, y);
}

void gameMotion(int x, int y) { dragPointer(playing->world, x, y); }

void gamePassiveMotion(int x, int y) { movePointer(playing->world, x, y); }

void gameKeyboard(unsigned char key, int, int) {
    if (isQuitKey(key)) endGame();
    if (pressKey(playing->world, key)) glutPostRedisplay();
}

// The window shows again after being hidden: the next update takes the
// first step of a game (20 ms), so the time it was hidden moves nothing.
void gameShown() { playing->world.updatedThisGame = false; }

void playWorld(GameScreen& game) {
    // Returns after endGame has released the world, or after a callback
    // failed (rethrown here once the world is released too).
    playing = &game;
    try {
        runScreen(game.exit(), {guardCallback<gameDisplay>, guardCallback<gameMouse>,
                                guardCallback<gameKeyboard>, guardCallback<gameMotion>,
                                guardCallback<gamePassiveMotion>, guardCallback<gameIdle>,
                                guardCallback<gameShown>});
    } catch (...) {
        releaseGame(game);
        playing = nullptr;
        throw;
    }
    playing = nullptr;
}

void runGame(GameSnapshot* snapshot, bool newGame) {
    // The process's one game screen: its kept fields carry over from game to game.
    static GameScreen game;
    initWorld(game.world);
    if (snapshot && !newGame) resume(game.world, *snapshot);
    playWorld(game);
    if (snapshot) *snapshot = game.leaving;
}

void endGame() {
    GameScreen& game = *playing;
    if (game.world.scene.vehicle) {
        game.leaving.position = game.world.scene.vehicle->getPosition();
        game.leaving.rotation = game.world.scene.vehicle->getRotation();
    }
    game.leaving.cameraMode = game.world.cameraMode;
    releaseGame(game);
    leaveScreen(game.exit());
}

const ShadowGrid& shadowPass() {
    GameScreen& game = *playing;
    const GameWorld& world = game.world;
    const ObjectList casters{world.scenery.data(), world.scenery.size()};
    return shadowPass(casters, world.towardsSun, world.scene.terrain->getWidth(), world.scene.terrain->getDepth(),
                      nullptr, game.frame.shadowBuffers);
}

void skyPass() {
    const GameWorld& world = playing->world;
    skyPass(*world.scene.sky, *world.scene.stars, world.sunHeight, world.sunAngle, world.cameraMode,
            world.scene.vehicle->getRotationY());
}

const ShadowGrid& readShadowGrid(int pixelWidth, int pixelHeight) {
    return readShadowGrid(pixelWidth, pixelHeight, playing->frame.shadowBuffers);
}
