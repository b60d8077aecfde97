#pragma once
// A small fixed-seed generator (xorshift32), so that every run of the asset
// generator writes the same bytes. The game's own rand() is not touched.
#include <cstdint>

class Random {
public:
    explicit Random(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}

    uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

    // A double in [0, 1).
    double uniform() { return (next() >> 8) * (1.0 / 16777216.0); }

    // A double in [low, high).
    double range(double low, double high) { return low + (high - low) * uniform(); }

private:
    uint32_t state_;
};
