// The game's own generator: 15-bit values, and randomInt(n) never reaching n.
#include <gtest/gtest.h>

#include <cstdint>

#include "base/Random.h"

namespace {

// The seed whose next value is r: the state after the step must hold r in
// its bits 16 to 30, and the step s * 1103515245 + 12345 is inverted modulo
// 2^32 with the multiplier's inverse (Newton's iteration doubles its good
// bits each round).
uint32_t seedGiving(int r) {
    constexpr uint32_t multiplier = 1103515245u;
    uint32_t inverse = multiplier;
    for (int i = 0; i < 5; ++i) inverse *= 2 - multiplier * inverse;
    const uint32_t after = static_cast<uint32_t>(r) << 16;
    return (after - 12345u) * inverse;
}

TEST(Random, RandomIntStaysBelowNEvenForTheLargestValue) {
    for (int r : {0, 1, 16384, 32766, 32767}) {
        seedRandom(seedGiving(r));
        ASSERT_EQ(nextRandom(), r);
        for (int n : {1, 2, 36, 128, 1024, 4096, 100000}) {
            seedRandom(seedGiving(r));
            // r * n / 32768 truncated: below n even for r = 32767.
            const int value = randomInt(n);
            EXPECT_EQ(value, static_cast<int>(r * static_cast<double>(n) / 32768.0)) << "r " << r << ", n " << n;
            EXPECT_LT(value, n) << "r " << r << ", n " << n;
        }
    }
}

}  // namespace
