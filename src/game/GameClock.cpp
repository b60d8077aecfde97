#include "game/GameClock.h"

#include <chrono>

namespace {
// For the whole process: the game's idle callback takes no argument, and the
// benchmark and the tests install their clock before the screen runs.
ClockFunction installedClock = nullptr;
}

int32_t steadyClockMs() {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<int32_t>(static_cast<uint32_t>(ms));
}

int32_t currentTimeMs() { return installedClock ? installedClock() : steadyClockMs(); }

void setGameClock(ClockFunction clock) { installedClock = clock; }
