#pragma once
// One terrain size measured from start to end in the calling process: opens
// the window, builds the world from the assets in the working directory,
// plays the scripted frames, draws the reference frames and releases the
// world. Meant to run in a process of its own (see ChildProcess.h).
#include "BenchOptions.h"
#include "BenchResults.h"
#include "BenchScene.h"

struct SizeRunPlan {
    int requestedSize = 0;
    int frames = 0;
    bool profile = true;    // profile every options.profileEvery-th frame and draw reference frames
    bool clientArrays = false;  // the terrain goes from client-side vertex arrays, not a buffer object
    BenchScene scene = BenchScene::chase1024;  // the view and the window; its frames go to scenes[scene]
};

// Throws on failure (a missing asset, for instance).
SizeResult runSize(const BenchOptions& options, const SizeRunPlan& plan);

// The same frames played through the game's own main loop (see
// MainLoopRun.h), in a process of their own too: after the scripted run in
// the same process, with its profiled frames, the GL driver draws the same
// frames about a fifth slower. Fills mainLoop alone.
SizeResult runSizeThroughMainLoop(const BenchOptions& options, const SizeRunPlan& plan);
