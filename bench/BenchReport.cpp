#include "BenchReport.h"

const SizeResult* findSize(const BenchReport& report, int requestedSize) {
    for (const SizeResult& size : report.sizes)
        if (size.ok && size.requestedSize == requestedSize) return &size;
    return nullptr;
}

double percentChange(double start, double end) { return start > 0 ? 100.0 * (end - start) / start : 0; }

Ratios computeRatios(const BenchReport& report) {
    Ratios ratios;
    const SizeResult* small = findSize(report, 128);
    const SizeResult* large = findSize(report, 256);
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
