// Command-line options, frame-time summaries and ratios: the arithmetic the
// report rests on, without a window.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "BenchOptions.h"
#include "BenchReport.h"
#include "DayPhase.h"
#include "FrameStats.h"
#include "ScriptedRun.h"
#include "game/GameWorld.h"

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
                                         {"--step", "251"}, {"--sizes", "128,4097"},
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

TEST(DayPhase, TheSunSortsTheFrames) {
    const float pi = 3.14159265f;
    struct Case {
        float angle;
        bool headlights;
        DayPhase phase;
    };
    for (const Case& c : {Case{pi / 2, false, DayPhase::noon}, {1.2f, false, DayPhase::noon},
                          {0.5f, false, DayPhase::none},  // as high as late afternoon, but in the morning
                          {0.1f, false, DayPhase::none}, {pi - 0.5f, false, DayPhase::lateAfternoon},
                          {pi - 0.8f, false, DayPhase::none}, {pi - 0.1f, false, DayPhase::sunset},
                          {pi - 0.3f, false, DayPhase::none}, {pi + 1, true, DayPhase::nightWithHeadlights},
                          {pi + 1, false, DayPhase::none}}) {
        const float height = c.angle <= pi ? std::sin(c.angle) : 0;
        EXPECT_EQ(dayPhaseOf(c.angle, height, c.headlights), c.phase) << c.angle;
    }
}

TEST(ScriptedRun, SwitchesTheHeadlightsOnceAtNightfallAndOnceAtSunrise) {
    GameWorld world;
    ScriptedRun script(world, 50, 1);
    int switches = 0;
    const std::pair<float, int> sunAndSwitchesSoFar[] = {{0.5f, 0}, {3.0f, 0}, {3.2f, 1}, {4.0f, 1},
                                                        {6.2f, 1}, {0.01f, 2}, {1.0f, 2}};
    for (const auto& [angle, expected] : sunAndSwitchesSoFar) {
        world.sunAngle = angle;
        if (script.switchHeadlights()) ++switches;
        EXPECT_EQ(switches, expected) << angle;
    }
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

TEST(BenchReport, TheNoonChaseFrameIsWhatTheScenesAndSizesAreJudgedBy) {
    auto phase = [](SizeResult& size, BenchScene scene, DayPhase when) -> FrameSummary& {
        return size.scenes[static_cast<int>(scene)].phases[static_cast<int>(when)];
    };
    SizeResult small, big;
    small.ok = big.ok = true;
    small.requestedSize = small.gridSize = 128;
    big.requestedSize = big.gridSize = 1024;
    small.framesDrawn = 11;
    small.heapAfterFirstFrame.fromProgram = 5;
    small.rssAfterBuildKb = 1000;
    big.rssAfterBuildKb = 1000 + 16128;  // 16 bytes a point above 128 x 128
    small.reference.medianMs = 8;
    phase(small, BenchScene::chase1024, DayPhase::noon).medianMs = 10;
    phase(small, BenchScene::ride1024, DayPhase::nightWithHeadlights).medianMs = 14;
    phase(small, BenchScene::chase1440, DayPhase::sunset).medianMs = 30;  // judged against its own target
    phase(small, BenchScene::chase1440, DayPhase::noon).medianMs = 18;
    phase(big, BenchScene::chase1024, DayPhase::noon).medianMs = 12;

    const SizeFigures figures = sizeFigures(small, &small);
    EXPECT_DOUBLE_EQ(figures.worstOverNoon, 1.4);
    EXPECT_EQ(figures.worstScene, BenchScene::ride1024);
    EXPECT_EQ(figures.worstPhase, DayPhase::nightWithHeadlights);
    EXPECT_DOUBLE_EQ(figures.largePictureOverNoon, 1.8);
    EXPECT_DOUBLE_EQ(figures.gameHeapCallsPerFrame, 0.5);
    EXPECT_EQ(figures.bytesPerGridPoint, 0);
    const SizeFigures bigFigures = sizeFigures(big, &small);
    EXPECT_DOUBLE_EQ(bigFigures.noonOver128, 1.2);
    EXPECT_DOUBLE_EQ(bigFigures.bytesPerGridPoint, 16);

    BenchReport report;
    report.sizes = {small, big};
    EXPECT_DOUBLE_EQ(computeRatios(report).noonOverReference128, 1.25);
}
