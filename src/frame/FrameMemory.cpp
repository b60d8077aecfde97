#include "frame/FrameMemory.h"

void FrameMemory::release() {
    shadowBuffers.release();
    drawnQuads = {};
    terrainBatch.release();
    lights.release();
    lettering.release();
}
