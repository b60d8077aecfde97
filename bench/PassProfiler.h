#pragma once
// Times the passes of profiled frames through the game's pass marks. At every
// mark it waits for GL to finish (glFinish), so a pass is charged with the
// drawing it issued rather than leaving it to the buffer swap; that makes a
// profiled frame slower than a plain one, so profiled frames are kept out of
// the frame-time figures. It also keeps the view matrix in force when the
// terrain is drawn, for the reference frames.
#include <vector>

#include "BenchResults.h"

struct ViewSample {
    float modelView[16];  // the camera's view, as the terrain was drawn with it
    float sunAngle;       // radians, the time of day of that frame
};

class PassProfiler {
public:
    PassProfiler();
    ~PassProfiler();  // removes the listener
    PassProfiler(const PassProfiler&) = delete;
    PassProfiler& operator=(const PassProfiler&) = delete;

    // Call after gameIdle and before gameDisplay of a profiled frame;
    // updateMs is the time gameIdle took.
    void beginFrame(double updateMs);
    // Call after gameDisplay; adds the frame to the day or night totals.
    void endFrame(bool day);

    PassTimes meanPasses(bool day) const;
    const ViewSample& lastView() const;

private:
    PassTimes dayTotals;
    PassTimes nightTotals;
};

// Milliseconds on the steady clock.
double nowMs();
