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

// The noon frame is the median noon frame of the chase view at 1024 x 768.
constexpr double noonOverReferenceTarget = 1.0;  // noon frame / median reference frame, at 128
constexpr double bigMapTarget = 1.5;             // noon frame at 1024, 2048 and 4096 / at 128
constexpr double sceneSpreadTarget = 1.5;        // slowest time of day or view at 1024 x 768 / noon frame, each size
constexpr double largePictureTarget = 2.0;       // noon frame at 1440 x 1080 / at 1024 x 768, each size
constexpr double buildTargetMs = 800;            // world build at 4096
constexpr double firstFrameTargetMs = 300;       // first frame at 4096
constexpr double bytesPerPointTarget = 30;       // resident memory a grid point, above the 128 run's
constexpr double gameHeapCallsTarget = 0;        // heap calls by the game's code per frame after the first
constexpr double driftTargetPercent = 1.0;       // resident memory growth once warmed up
constexpr double mainLoopTarget = 0.9;           // frames per second through the main loop / scripted, at 128
constexpr int largestDefaultSize = 4096;         // the size the build and first-frame targets are for

// What the closing figures read from one size. Ratios are 0 when not measured.
struct SizeFigures {
    double noonMs = 0;
    double noonOver128 = 0;
    // The slowest median of a time of day in either view at 1024 x 768, over
    // the noon frame, and where it was.
    double worstOverNoon = 0;
    BenchScene worstScene = BenchScene::chase1024;
    DayPhase worstPhase = DayPhase::noon;
    double largePictureOverNoon = 0;
    double bytesPerGridPoint = 0;    // 0 at 128 and below, or without a 128 run
    double gameHeapCallsPerFrame = 0;
};

SizeFigures sizeFigures(const SizeResult& size, const SizeResult* base128);

// count / the frames after the first.
double perFrameAfterFirst(int64_t count, const SizeResult& size);

// Day frames are the ones with the sun up and the shadow pass on, in the chase view.
struct Ratios {
    double noonOverReference128 = 0;  // 0 when not measured
    double dayOverReference128 = 0;
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
