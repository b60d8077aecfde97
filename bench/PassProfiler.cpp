#include "PassProfiler.h"

#include <GL/gl.h>

#include <chrono>

namespace {

// The listener is a plain function pointer, so the frame being profiled lives here.
struct FrameInProgress {
    double lastMarkMs = 0;
    double updateMs = 0;
    double passMs[passSlots] = {};
} current;

void onPassEnd(FramePass pass) {
    glFinish();
    const double now = nowMs();
    current.passMs[static_cast<int>(pass)] += now - current.lastMarkMs;
    current.lastMarkMs = now;
}

void add(PassTimes& totals, const FrameInProgress& frame) {
    ++totals.frames;
    totals.updateMs += frame.updateMs;
    for (int i = 0; i < passSlots; ++i) totals.passMs[i] += frame.passMs[i];
}

PassTimes mean(PassTimes totals) {
    if (totals.frames == 0) return totals;
    totals.updateMs /= totals.frames;
    for (double& ms : totals.passMs) ms /= totals.frames;
    return totals;
}

}  // namespace

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

PassProfiler::PassProfiler() = default;

PassProfiler::~PassProfiler() { setFramePassListener(nullptr); }

void PassProfiler::beginFrame(double updateMs) {
    glFinish();  // nothing of the previous frame is charged to this one
    current = FrameInProgress{};
    current.updateMs = updateMs;
    current.lastMarkMs = nowMs();
    setFramePassListener(onPassEnd);
}

void PassProfiler::endFrame(bool day, DayPhase phase) {
    setFramePassListener(nullptr);
    add(day ? dayTotals : nightTotals, current);
    if (phase != DayPhase::none) add(phaseTotals[static_cast<int>(phase)], current);
}

PassTimes PassProfiler::meanPasses(bool day) const { return mean(day ? dayTotals : nightTotals); }

PassTimes PassProfiler::meanPasses(DayPhase phase) const { return mean(phaseTotals[static_cast<int>(phase)]); }
