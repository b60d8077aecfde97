#pragma once
#include "game/GameSnapshot.h"

// Builds a world, runs the game screen until the player quits, and returns.
// With newGame false and a snapshot, the vehicle and view are restored from it.
// When snapshot is not null it is filled with the vehicle's final state.
void runGame(GameSnapshot* snapshot, bool newGame);

// Runs the game screen on the world initWorld built, with the game's own
// callbacks, until the player quits (the world is then released). The
// benchmark plays its scripted run through here.
void playWorld();
