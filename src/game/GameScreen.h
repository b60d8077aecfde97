#pragma once
// The game screen: one game's world and the memory its frames draw with,
// played through GLUT's callbacks until the player quits. Everything the
// screen holds lives in one GameScreen record; runGame keeps one for the
// whole process (its "kept" world fields carry over between games), and the
// tests and the benchmark make their own.
#include <csetjmp>

#include "frame/FrameMemory.h"
#include "frame/FrameView.h"
#include "game/GameSnapshot.h"
#include "game/GameWorld.h"
#include "platform/ScreenLoop.h"

class ShadowGrid;

struct GameScreen {
    GameWorld world;      // the rules' state, built by initWorld for each game
    FrameMemory frame;    // what the frames draw with, made by the first frame

    GameSnapshot leaving{};        // the vehicle as it was when the quit key came

    // The screen's way out of the GLUT main loop (ScreenLoop.h).
    std::jmp_buf gameReturnPoint;  // where playWorld continues after endGame
    bool gameRunning = false;      // true while the game's main loop should run
    ScreenExit exit() { return {gameReturnPoint, gameRunning}; }
};

// Builds a world, runs the game screen until the player quits, and returns.
// With newGame false and a snapshot, the vehicle and view are restored from it.
// When snapshot is not null it is filled with the vehicle's final state.
void runGame(GameSnapshot* snapshot, bool newGame);

// Runs the game screen on the world initWorld built in game, with the game's
// own callbacks, until the player quits; the world and the frame's memory
// are then released. The benchmark plays its scripted run through here.
void playWorld(GameScreen& game);

// One update of game from the game clock (GameClock.h).
void stepGame(GameScreen& game);

// One frame of game: its record from the world, drawn, swapped, waited for
// and counted. Returns the record it drew.
FrameView displayGame(GameScreen& game);

// The game playWorld is running, or null outside it: what the callbacks act
// on, and what the tests look at from inside a running game.
GameScreen* gameBeingPlayed();

// Keeps the snapshot values, releases the world and leaves the game screen.
// Does not return.
[[noreturn]] void endGame();

// The game screen's GLUT callbacks, on the game being played.
void gameIdle();
void gameDisplay();
void gameMouse(int button, int state, int x, int y);
void gameKeyboard(unsigned char key, int x, int y);
void gameMotion(int x, int y);
void gamePassiveMotion(int x, int y);
void gameShown();

// Two passes of the game being played on their own, as the tests draw them:
// the shadow pass of every caster over the whole picture, into the frame's
// shadow buffers (ShadowPass.h), and the sky pass for the world's time of
// day and view (SkyPass.h).
const ShadowGrid& shadowPass();
void skyPass();

// Reads the silhouette picture, pixelWidth x pixelHeight pixels in the
// window's lower-left corner, back into the game's shadow buffers and filters
// it (ShadowPicture.h).
const ShadowGrid& readShadowGrid(int pixelWidth, int pixelHeight);
