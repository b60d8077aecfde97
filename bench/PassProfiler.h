#pragma once
// Times the passes of profiled frames through the game's pass marks. At every
// mark it waits for GL to finish (glFinish), so a pass is charged with the
// drawing it issued rather than leaving it to the buffer swap; that makes a
// profiled frame slower than a plain one, so profiled frames are kept out of
// the frame-time figures.
#include <vector>

#include "BenchResults.h"

class PassProfiler {
public:
    PassProfiler();
    ~PassProfiler();  // removes the listener
    PassProfiler(const PassProfiler&) = delete;
    PassProfiler& operator=(const PassProfiler&) = delete;

    // Call after the update and before the drawing of a profiled frame;
    // updateMs is the time the update took.
    void beginFrame(double updateMs);
    // Call after the drawing; adds the frame to the day or night totals and
    // to those of its time of day.
    void endFrame(bool day, DayPhase phase);

    PassTimes meanPasses(bool day) const;
    PassTimes meanPasses(DayPhase phase) const;

private:
    PassTimes dayTotals;
    PassTimes nightTotals;
    PassTimes phaseTotals[dayPhaseCount];
};

// Milliseconds on the steady clock.
double nowMs();
