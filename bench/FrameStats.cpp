#include "FrameStats.h"

#include <algorithm>
#include <cmath>
#include <numeric>

double nearestRankPercentile(const std::vector<double>& sortedMs, double p) {
    if (sortedMs.empty()) return 0;
    auto rank = static_cast<size_t>(std::ceil(p / 100.0 * static_cast<double>(sortedMs.size())));
    rank = std::clamp<size_t>(rank, 1, sortedMs.size());
    return sortedMs[rank - 1];
}

FrameSummary summarizeFrames(std::vector<double> frameMs) {
    FrameSummary summary;
    if (frameMs.empty()) return summary;
    std::sort(frameMs.begin(), frameMs.end());
    const size_t n = frameMs.size();
    summary.frames = static_cast<int>(n);
    summary.medianMs = n % 2 ? frameMs[n / 2] : (frameMs[n / 2 - 1] + frameMs[n / 2]) / 2;
    summary.p95Ms = nearestRankPercentile(frameMs, 95);
    const double total = std::accumulate(frameMs.begin(), frameMs.end(), 0.0);
    summary.meanMs = total / static_cast<double>(n);
    summary.fps = total > 0 ? 1000.0 * static_cast<double>(n) / total : 0;
    return summary;
}

double ratioOrZero(double a, double b) { return b > 0 ? a / b : 0; }
