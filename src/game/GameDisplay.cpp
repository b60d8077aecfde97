#include "game/GameDisplay.h"

#include <GL/freeglut.h>

#include "frame/FrameDrawing.h"
#include "frame/FrameMemory.h"
#include "frame/FrameView.h"
#include "game/GameWorld.h"
#include "platform/FramePasses.h"

void gameDisplay() {
    const FrameView frame = makeFrameView(world, frameMemory);
    drawFrame(frame, frameMemory.terrainBatch);
    glutSwapBuffers();
    // Let the software rasteriser finish the frame before the next update
    // starts: left to overlap with the next frame, its presentation competes
    // with it for the processor, and every so often a frame takes half as
    // long again (the benchmark's main-loop run at 512: a median of 22 ms,
    // but 33 frames a second instead of 44).
    glFinish();
    endFramePass(FramePass::swap);
    ++world.framesCounted;
}
