#pragma once
// The scripted run played the way a player's session runs: the game's own
// screen, callbacks and GLUT main loop (playWorld), the clock stepping a
// whole step each frame, and the player's button, pointer and closing 'q'
// sent to the window as X input events through XTest. Each frame's time is
// the time from one buffer swap to the next.
#include "BenchOptions.h"
#include "FrameStats.h"

// Builds the world of options.seed from the assets in the current folder,
// plays frames frames through the main loop and ends the game with 'q'.
// Needs the benchmark's window open. The scene is the scripted run's, except
// that the input of a frame reaches the game one update later. Says how far
// the vehicle turned in headingTurnedDegrees.
FrameSummary runThroughMainLoop(const BenchOptions& options, int frames, double& headingTurnedDegrees);
