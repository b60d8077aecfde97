#include "game/GameLoop.h"

#include <GL/freeglut.h>

#include "game/GameDisplay.h"
#include "game/GameInput.h"
#include "game/GameUpdate.h"
#include "game/GameWorld.h"

void runGame(GameSnapshot* snapshot, bool newGame) {
    initWorld();
    if (snapshot && !newGame) {
        world.cameraMode = snapshot->cameraMode;
    }

    glutDisplayFunc(guardCallback<gameDisplay>);
    glutMouseFunc(guardCallback<gameMouse>);
    glutKeyboardFunc(guardCallback<gameKeyboard>);
    glutMotionFunc(guardCallback<gameMotion>);
    glutPassiveMotionFunc(guardCallback<gamePassiveMotion>);
    glutIdleFunc(guardCallback<gameIdle>);
    glutSwapBuffers();
    glutPostRedisplay();

    enterScreenLoop(world.exit);

    // The display callback stays until the next screen installs its own.
    glutMouseFunc(nullptr);
    glutKeyboardFunc(nullptr);
    glutMotionFunc(nullptr);
    glutPassiveMotionFunc(nullptr);
    glutIdleFunc(nullptr);

    if (snapshot) *snapshot = world.leaving;
}
