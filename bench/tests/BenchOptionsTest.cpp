// Command-line options, frame-time summaries and ratios: the arithmetic the
// report rests on, without a window.
#include <gtest/gtest.h>

#include <vector>

#include "BenchOptions.h"
#include "BenchReport.h"
#include "FrameStats.h"
#include "ScriptedRun.h"

namespace {

bool parse(std::vector<const char*> args, BenchOptions& options, std::string& error) {
    args.insert(args.begin(), "brellow-bench");
    return parseBenchOptions(static_cast<int>(args.size()), args.data(), options, error);
}

}  // namespace

TEST(BenchOptions, DefaultRunGoesFromSunriseToTheNextSunrise) {
    BenchOptions options;
    const int frames = options.framesPerSize();
    EXPECT_GE((frames - 1) * options.stepMs, wholeDayAndNightMs);
    EXPECT_LT((frames - 2) * options.stepMs, wholeDayAndNightMs);
    options.frames = 30;
    EXPECT_EQ(options.framesPerSize(), 30);
}

TEST(BenchOptions, ParsesEveryOptionAndRejectsBadValues) {
    BenchOptions options;
    std::string error;
    ASSERT_TRUE(parse({"--frames", "30", "--sizes", "64,128", "--drift-frames", "0", "--step", "20",
                       "--profile-every", "0", "--seed", "7", "--json", "out.json"},
                      options, error))
        << error;
    EXPECT_EQ(options.frames, 30);
    EXPECT_EQ(options.sizes, (std::vector<int>{64, 128}));
    EXPECT_EQ(options.driftFrames, 0);
    EXPECT_DOUBLE_EQ(options.stepMs, 20);
    EXPECT_EQ(options.profileEvery, 0);
    EXPECT_EQ(options.seed, 7u);
    EXPECT_EQ(options.jsonPath, "out.json");

    for (std::vector<const char*> bad : {std::vector<const char*>{"--frames", "0"}, {"--frames", "12x"},
                                         {"--sizes", "128,"}, {"--sizes", "0"}, {"--step", "0.5"},
                                         {"--bogus", "1"}, {"--frames"}}) {
        BenchOptions fresh;
        error.clear();
        EXPECT_FALSE(parse(bad, fresh, error)) << bad[0];
        EXPECT_FALSE(error.empty()) << bad[0];
    }
}

TEST(BenchOptions, TerrainsSmallerThanTheVehiclesStartAreMade65) {
    EXPECT_EQ(terrainGridSize(64), 65);
    EXPECT_EQ(terrainGridSize(1), 65);
    EXPECT_EQ(terrainGridSize(65), 65);
    EXPECT_EQ(terrainGridSize(256), 256);
}

TEST(FrameStats, MedianPercentileAndRate) {
    FrameSummary odd = summarizeFrames({5, 1, 3});
    EXPECT_DOUBLE_EQ(odd.medianMs, 3);
    EXPECT_DOUBLE_EQ(odd.fps, 1000.0 * 3 / 9);
    EXPECT_DOUBLE_EQ(summarizeFrames({4, 1, 3, 2}).medianMs, 2.5);

    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) hundred.push_back(i);
    FrameSummary many = summarizeFrames(hundred);
    EXPECT_DOUBLE_EQ(many.p95Ms, 95);
    EXPECT_DOUBLE_EQ(many.meanMs, 50.5);
    EXPECT_EQ(many.frames, 100);

    FrameSummary none = summarizeFrames({});
    EXPECT_EQ(none.frames, 0);
    EXPECT_EQ(none.fps, 0);
    EXPECT_EQ(ratioOrZero(3, 0), 0);
}

TEST(ScriptedRun, ClockRoundsEachStepButNeverDrifts) {
    const double step = 1000.0 / 60.0;
    int32_t previous = ScriptedRun::clockAt(step, 0);
    EXPECT_NE(previous, 0) << "0 would read as no update yet";
    for (int frame = 1; frame <= 120; ++frame) {
        int32_t now = ScriptedRun::clockAt(step, frame);
        EXPECT_TRUE(now - previous == 16 || now - previous == 17) << frame;
        previous = now;
    }
    EXPECT_EQ(ScriptedRun::clockAt(step, 60) - ScriptedRun::clockAt(step, 0), 1000);
    EXPECT_EQ(ScriptedRun::clockAt(step, 6000) - ScriptedRun::clockAt(step, 0), 100000);
}

TEST(BenchReport, RatiosComeFromTheMedianDayFramesAndTheDriftRun) {
    BenchReport report;
    SizeResult small, large;
    small.ok = large.ok = true;
    small.requestedSize = 128;
    large.requestedSize = 256;
    small.day.medianMs = 10;
    small.reference.medianMs = 8;
    large.day.medianMs = 40;
    report.sizes = {small, large};
    report.hasDrift = true;
    report.drift.ok = true;
    report.drift.rssStartKb = 1000;
    report.drift.rssEndKb = 1010;
    report.drift.rssHighestEarlierKb = 1000;
    report.drift.rssHighestLaterKb = 1025;

    Ratios ratios = computeRatios(report);
    EXPECT_DOUBLE_EQ(ratios.dayOverReference128, 1.25);
    EXPECT_DOUBLE_EQ(ratios.day256Over128, 4);
    EXPECT_DOUBLE_EQ(ratios.rssChangePercent, 1);
    EXPECT_DOUBLE_EQ(ratios.rssLaterOverEarlierPercent, 2.5);

    EXPECT_EQ(ratios.day2048Over128, 0);

    small.mainLoop.fps = 45;
    small.all.fps = 50;
    SizeResult biggest = large;
    biggest.requestedSize = 2048;
    biggest.day.medianMs = 24;
    report.sizes = {small, large, biggest};
    ratios = computeRatios(report);
    EXPECT_DOUBLE_EQ(ratios.mainLoopOverScripted128, 0.9);
    EXPECT_DOUBLE_EQ(ratios.day2048Over128, 2.4);

    report.sizes[1].ok = false;  // a failed size is not compared
    EXPECT_EQ(computeRatios(report).day256Over128, 0);
}
