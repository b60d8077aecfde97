#pragma once
// What a game's frames draw with: the shadow pass's picture and grid, the
// runs of terrain quads in view, the room to send them in, and the lights.
// It lives for one game beside GameWorld, in the game screen's record: made
// by the first frame, refilled by every frame after it (so a frame allocates
// nothing), and released when the game ends.
#include "frame/FrameLights.h"
#include "hud/HudLettering.h"
#include "shadow/ShadowPicture.h"
#include "terrain/QuadBatch.h"
#include "terrain/VisibleQuads.h"

struct FrameMemory {
    ShadowBuffers shadowBuffers;  // the silhouette picture and the shadow grid
    VisibleQuads drawnQuads;      // the terrain quads in view, chosen with the frame's record
    QuadBatch terrainBatch;       // room to send them in (a GL buffer object)
    FrameLights lights;           // the sun and the headlights, made by the first frame
    HudLettering lettering;       // the HUD's font, for a picture of another size than 1024 x 768

    // Gives every buffer and light back; needs the game's GL context.
    void release();
};
