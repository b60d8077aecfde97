#pragma once
// The process's one pseudo-random generator, with 15-bit values (0..32767).
// The platform's rand() yields wider values, which would scatter trees and
// orbs far outside the terrain, so the game keeps its own: every random draw
// of the game (tree and orb placement, the stars) comes from here, in order.
#include <cstdint>

void seedRandom(uint32_t seed);
int nextRandom();                 // 0 .. 32767
constexpr int randomMax = 32767;

// nextRandom() * n / 32768, truncated toward zero: 0 .. n-1 for n >= 1.
int randomInt(int n);
