#pragma once
// Everything one invocation measured, and the ratios the frame is judged by.
#include <vector>

#include "BenchOptions.h"
#include "BenchResults.h"

struct BenchReport {
    BenchOptions options;
    std::vector<SizeResult> sizes;
    bool hasDrift = false;
    SizeResult drift;  // the long run; only its memory and heap figures are reported
};

// Day frames are the ones with the sun up and the shadow pass on, in the chase view.
constexpr double dayOverReferenceTarget = 1.25; // median day frame / median reference frame, at 128
constexpr double growthTarget = 4.4;            // median day frame at 256 / at 128
constexpr double driftTargetPercent = 1.0;       // resident memory growth once warmed up
constexpr double bigMapTarget = 2.5;             // median day frame at 1024 and at 2048 / at 128
constexpr double mainLoopTarget = 0.9;           // frames per second through the main loop / scripted, at 128

struct Ratios {
    double dayOverReference128 = 0;  // 0 when not measured
    double day256Over128 = 0;
    double all256Over128 = 0;        // all frames, day and night
    double day1024Over128 = 0;
    double day2048Over128 = 0;
    double mainLoopOverScripted128 = 0;  // frames per second, all frames
    double rssChangePercent = 0;     // drift run, end against start
    // Drift run, after the first day and night: the highest resident memory
    // of the later half against that of the earlier half.
    double rssLaterOverEarlierPercent = 0;
};

// The result for a requested size, or nullptr.
const SizeResult* findSize(const BenchReport& report, int requestedSize);

Ratios computeRatios(const BenchReport& report);

// (end - start) / start in percent; 0 when start is 0.
double percentChange(double start, double end);
