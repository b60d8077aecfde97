#include "base/HeapUpkeep.h"

#include <malloc.h>

namespace {
constexpr int largeBlockBytes = 128 * 1024;
constexpr float upkeepPeriodMs = 1000;
float sinceUpkeepMs = 0;  // the process's one heap, looked after from the screen loop
}

void settleHeap() { mallopt(M_MMAP_THRESHOLD, largeBlockBytes); }

void returnFreedMemory() { malloc_trim(0); }

bool upkeepHeap(float elapsedMs) {
    sinceUpkeepMs += elapsedMs;
    if (sinceUpkeepMs < upkeepPeriodMs) return false;
    sinceUpkeepMs = 0;
    returnFreedMemory();
    return true;
}
