#pragma once
// The memory a game's frames draw with: the shadow pass's picture and grid,
// the runs of terrain quads in view and the room to send them in. It lives
// for one game beside GameWorld: made by the first frame, refilled by every
// frame after it (so a frame allocates nothing), and released with the
// world by endGame.
#include "shadow/ShadowPicture.h"
#include "terrain/QuadBatch.h"
#include "terrain/VisibleQuads.h"

struct FrameMemory {
    ShadowBuffers shadowBuffers;  // the silhouette picture and the shadow grid
    VisibleQuads drawnQuads;      // the terrain quads in view
    QuadBatch terrainBatch;       // room to send them in (a GL buffer object)

    // Gives every buffer back; the GL buffer needs the game's GL context.
    void release();
};

extern FrameMemory frameMemory;
