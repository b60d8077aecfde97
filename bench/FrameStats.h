#pragma once
// Summaries of a list of frame times. Plain C++, no GL.
#include <vector>

struct FrameSummary {
    int frames = 0;
    double medianMs = 0;
    double p95Ms = 0;    // nearest rank: 95 % of the frames took at most this
    double meanMs = 0;
    double fps = 0;      // frames / their total time
};

// Zeros for an empty list. Takes a copy because it sorts.
FrameSummary summarizeFrames(std::vector<double> frameMs);

// The p-th percentile (0 < p <= 100) by nearest rank of a sorted list.
double nearestRankPercentile(const std::vector<double>& sortedMs, double p);

// a / b, or 0 when b is not positive (a missing measurement).
double ratioOrZero(double a, double b);
