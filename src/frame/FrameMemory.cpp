#include "frame/FrameMemory.h"

FrameMemory frameMemory;

void FrameMemory::release() {
    shadowBuffers.release();
    drawnQuads = {};
    terrainBatch.release();
}
