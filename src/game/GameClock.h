#pragma once
// The game's clock: milliseconds, wrapping modulo 2^32; only differences
// between readings are used. It is monotonic, so a change of the wall clock
// never makes a step of billions of milliseconds. Tests and the benchmark
// install a clock of their own to step the game without waiting.
#include <cstdint>

using ClockFunction = int32_t (*)();

// The steady system clock in milliseconds.
int32_t steadyClockMs();

// The clock the update reads: steadyClockMs unless another was installed.
int32_t currentTimeMs();

// Installs a clock; nullptr restores the steady clock.
void setGameClock(ClockFunction clock);
