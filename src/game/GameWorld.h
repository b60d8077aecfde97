#pragma once
// The game state. One GameWorld lives for the whole process; what it owns
// lives from initWorld to endGame (one game). Fields marked "kept" carry over
// from one game to the next.
#include "app/ScreenLoop.h"
#include "game/GameSnapshot.h"

struct GameWorld {
    int cameraMode = 0;             // 0 = chase view, 1 = ride view

    GameSnapshot leaving{};         // the vehicle as it was when the quit key came
    ScreenExit exit;                // the game screen's return point and running flag
};

extern GameWorld world;

// Builds a complete new world and sets the GL state the game expects.
void initWorld();

// Keeps the snapshot values, releases the world and leaves the game screen.
// Does not return.
[[noreturn]] void endGame();
