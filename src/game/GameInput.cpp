#include "game/GameInput.h"

#include <GL/freeglut.h>

#include "game/GameWorld.h"

namespace {
constexpr unsigned char escapeKey = 27;
}

void gameMouse(int, int, int, int) {}

void gameKeyboard(unsigned char key, int, int) {
    switch (key) {
    case escapeKey:
    case 'q':
        endGame();
    default:
        return;
    }
}

void gameMotion(int, int) {}

void gamePassiveMotion(int, int) {}
