// Giving freed heap pages back, checked against the real allocator (the
// sanitizer build brings its own, which this does not reach). That memory
// stays flat over a long run is the benchmark's soak figure.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "base/HeapUpkeep.h"

namespace {

#ifndef __SANITIZE_ADDRESS__

long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string word; status >> word;)
        if (word == "VmRSS:" && status >> word) return std::atol(word.c_str());
    return 0;
}

TEST(HeapUpkeep, PagesFreedInsideTheHeapGoBackToTheSystem) {
    settleHeap();
    // 32 MB of small blocks, all freed but the last, which pins the heap's
    // top so that freeing alone cannot shrink it.
    std::vector<void*> blocks;
    for (int i = 0; i < 32 * 1024; ++i) {
        blocks.push_back(std::malloc(1000));
        std::memset(blocks.back(), 1, 1000);
    }
    for (size_t i = 0; i + 1 < blocks.size(); ++i) std::free(blocks[i]);
    const long heldKb = residentKb();
    returnFreedMemory();
    EXPECT_LT(residentKb(), heldKb - 16 * 1024) << "at least half of the freed 32 MB given back";
    std::free(blocks.back());
}

#endif  // __SANITIZE_ADDRESS__

TEST(HeapUpkeep, LooksAtTheHeapOnceASecondHasGathered) {
    while (!upkeepHeap(1000)) {
    }
    EXPECT_FALSE(upkeepHeap(400));
    EXPECT_FALSE(upkeepHeap(599));
    EXPECT_TRUE(upkeepHeap(1));  // 1000 ms in all
    EXPECT_FALSE(upkeepHeap(999));
    EXPECT_TRUE(upkeepHeap(3000));  // a long pause counts once
    EXPECT_FALSE(upkeepHeap(10));
}

}  // namespace
