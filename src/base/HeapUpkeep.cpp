#include "base/HeapUpkeep.h"

#include <malloc.h>

namespace {
constexpr int largeBlockBytes = 32 * 1024 * 1024;  // glibc's own ceiling for the threshold
constexpr int keptTopBytes = 64 * 1024 * 1024;
constexpr size_t spareFreeBytes = size_t{256} * 1024 * 1024;
constexpr float upkeepPeriodMs = 1000;
float sinceUpkeepMs = 0;  // the process's one heap, looked after from the screen loop
}

void settleHeap() {
    mallopt(M_MMAP_THRESHOLD, largeBlockBytes);
    mallopt(M_TRIM_THRESHOLD, keptTopBytes);
}

void returnFreedMemory() { malloc_trim(0); }

bool upkeepHeap(float elapsedMs) {
    sinceUpkeepMs += elapsedMs;
    if (sinceUpkeepMs < upkeepPeriodMs) return false;
    sinceUpkeepMs = 0;
    if (mallinfo2().fordblks > spareFreeBytes) returnFreedMemory();
    return true;
}
