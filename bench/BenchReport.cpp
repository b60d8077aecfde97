#include "BenchReport.h"

#include <algorithm>

const SizeResult* findSize(const BenchReport& report, int requestedSize) {
    for (const SizeResult& size : report.sizes)
        if (size.ok && size.requestedSize == requestedSize) return &size;
    return nullptr;
}

double percentChange(double start, double end) { return start > 0 ? 100.0 * (end - start) / start : 0; }

double perFrameAfterFirst(int64_t count, const SizeResult& size) {
    return static_cast<double>(count) / std::max(1, size.framesDrawn - 1);
}

namespace {

const FrameSummary& noonFrames(const SizeResult& size, BenchScene scene) {
    return size.scenes[static_cast<int>(scene)].phases[static_cast<int>(DayPhase::noon)];
}

}  // namespace

SizeFigures sizeFigures(const SizeResult& size, const SizeResult* base128) {
    SizeFigures figures;
    figures.noonMs = noonFrames(size, BenchScene::chase1024).medianMs;
    if (base128) figures.noonOver128 = ratioOrZero(figures.noonMs, noonFrames(*base128, BenchScene::chase1024).medianMs);
    const SceneLook& chase = sceneLook(BenchScene::chase1024);
    for (int scene = 0; scene < benchSceneCount; ++scene) {
        // A larger picture has a ratio of its own.
        const SceneLook& look = sceneLook(static_cast<BenchScene>(scene));
        if (look.windowWidth != chase.windowWidth || look.windowHeight != chase.windowHeight) continue;
        for (int phase = 0; phase < dayPhaseCount; ++phase) {
            const double over = ratioOrZero(size.scenes[scene].phases[phase].medianMs, figures.noonMs);
            if (over <= figures.worstOverNoon) continue;
            figures.worstOverNoon = over;
            figures.worstScene = static_cast<BenchScene>(scene);
            figures.worstPhase = static_cast<DayPhase>(phase);
        }
    }
    figures.largePictureOverNoon = ratioOrZero(noonFrames(size, BenchScene::chase1440).medianMs, figures.noonMs);
    if (base128 && size.gridSize > base128->gridSize) {
        const double points = double(size.gridSize) * size.gridSize - double(base128->gridSize) * base128->gridSize;
        figures.bytesPerGridPoint = double(size.rssAfterBuildKb - base128->rssAfterBuildKb) * 1024.0 / points;
    }
    figures.gameHeapCallsPerFrame = perFrameAfterFirst(size.heapAfterFirstFrame.fromProgram, size);
    return figures;
}

Ratios computeRatios(const BenchReport& report) {
    Ratios ratios;
    const SizeResult* small = findSize(report, 128);
    const SizeResult* large = findSize(report, 256);
    if (small) ratios.noonOverReference128 = ratioOrZero(sizeFigures(*small, small).noonMs, small->reference.medianMs);
    if (small) ratios.dayOverReference128 = ratioOrZero(small->day.medianMs, small->reference.medianMs);
    if (small) ratios.mainLoopOverScripted128 = ratioOrZero(small->mainLoop.fps, small->all.fps);
    const SizeResult* big = findSize(report, 1024);
    const SizeResult* biggest = findSize(report, 2048);
    if (small && big) ratios.day1024Over128 = ratioOrZero(big->day.medianMs, small->day.medianMs);
    if (small && biggest) ratios.day2048Over128 = ratioOrZero(biggest->day.medianMs, small->day.medianMs);
    if (small && large) {
        ratios.day256Over128 = ratioOrZero(large->day.medianMs, small->day.medianMs);
        ratios.all256Over128 = ratioOrZero(large->all.medianMs, small->all.medianMs);
    }
    if (report.hasDrift && report.drift.ok) {
        const SizeResult& drift = report.drift;
        ratios.rssChangePercent = percentChange(static_cast<double>(drift.rssStartKb), static_cast<double>(drift.rssEndKb));
        ratios.rssLaterOverEarlierPercent = percentChange(static_cast<double>(drift.rssHighestEarlierKb),
                                                          static_cast<double>(drift.rssHighestLaterKb));
    }
    return ratios;
}
