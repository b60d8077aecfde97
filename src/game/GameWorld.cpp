#include "game/GameWorld.h"

#include <GL/gl.h>

GameWorld world;

void initWorld() {
    glClearColor(0, 0, 0, 1);
}

void endGame() {
    world.leaving.cameraMode = world.cameraMode;
    leaveScreen(world.exit);
}
