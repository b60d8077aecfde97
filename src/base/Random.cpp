#include "base/Random.h"

namespace {
// The process's one generator, as the game's layout and stars share one
// sequence: the classic linear congruential generator, whose upper bits are
// the better ones.
uint32_t state = 1;
}

void seedRandom(uint32_t seed) { state = seed; }

int nextRandom() {
    state = state * 1103515245u + 12345u;
    return static_cast<int>((state >> 16) & 0x7fff);
}

int randomInt(int n) {
    return static_cast<int>(static_cast<double>(nextRandom()) * n / 32768.0);
}
