// brellow-bench: plays a fixed scripted run of the game on terrains of
// several sizes and reports frame times, pass times, memory and heap use as a
// table and as JSON. See README.md, "Benchmark".
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>

#include "assets/AssetGenerator.h"
#include "BenchOptions.h"
#include "BenchReport.h"
#include "ChildProcess.h"
#include "ResultJson.h"
#include "ResultTable.h"
#include "SizeRun.h"

namespace {

// The game's assets with a terrain of the given size, in a folder of their own.
bool writeAssets(const std::string& dir, int gridSize) {
    std::ostringstream out, err;
    AssetOptions assets;
    assets.terrainSize = gridSize;
    if (generateAssets(dir, out, err, assets)) return true;
    std::cerr << "brellow-bench: " << err.str();
    return false;
}

// One more run of a size in a child process: keep takes its figures into
// result, or its error marks the size failed.
template <typename Keep>
void addRun(SizeResult& result, const std::string& dir, const char* what, const std::function<SizeResult()>& measure,
            Keep keep) {
    if (!result.ok) return;
    std::cerr << "  " << what << " ..." << std::endl;
    const SizeResult run = measureInChild(dir, measure);
    keep(run);
    if (!run.ok) std::snprintf(result.error, sizeof result.error, "%s: %.150s", what, run.error);
    result.ok = run.ok;
}

SizeResult measureSize(const BenchOptions& options, const std::string& baseDir, const SizeRunPlan& plan) {
    const int grid = terrainGridSize(plan.requestedSize);
    const std::string dir = baseDir + "/terrain-" + std::to_string(grid);
    if (!std::filesystem::exists(dir) && !writeAssets(dir, grid)) {
        SizeResult failed;
        failed.requestedSize = plan.requestedSize;
        failed.gridSize = grid;
        std::snprintf(failed.error, sizeof failed.error, "could not write the assets");
        return failed;
    }
    SizeResult result = measureInChild(dir, [&] { return runSize(options, plan); });
    if (plan.profile) {
        addRun(result, dir, "main loop", [&] { return runSizeThroughMainLoop(options, plan); },
               [&](const SizeResult& run) {
                   result.mainLoop = run.mainLoop;
                   result.mainLoopHeadingTurnedDegrees = run.mainLoopHeadingTurnedDegrees;
               });
        for (int scene = 1; scene < benchSceneCount; ++scene) {
            SizeRunPlan scenePlan = plan;
            scenePlan.scene = static_cast<BenchScene>(scene);
            addRun(result, dir, sceneLook(scenePlan.scene).name, [&] { return runSize(options, scenePlan); },
                   [&](const SizeResult& run) {
                       result.scenes[scene] = run.scenes[scene];
                       if (scenePlan.scene != BenchScene::ride1024) return;
                       result.rideDayPasses = run.dayPasses;
                       result.rideNightPasses = run.nightPasses;
                   });
        }
    }
    if (plan.profile && options.clientArraysToo) {
        SizeRunPlan clientPlan = plan;
        clientPlan.clientArrays = true;
        addRun(result, dir, "client arrays", [&] { return runSize(options, clientPlan); }, [&](const SizeResult& run) {
            result.clientArrayDay = run.day;
            result.clientArrayTerrainMs = run.dayPasses.passMs[static_cast<int>(FramePass::terrain)];
            result.clientArrayGameHeapCalls = run.heapAfterFirstFrame.fromProgram;
        });
    }
    result.requestedSize = plan.requestedSize;
    result.gridSize = grid;
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    BenchReport report;
    std::string error;
    if (!parseBenchOptions(argc, argv, report.options, error)) {
        std::cerr << "brellow-bench: " << error << "\n" << benchUsage();
        return 1;
    }
    const BenchOptions& options = report.options;
    if (options.help) {
        std::cout << benchUsage();
        return 0;
    }
    if (!getenv("DISPLAY")) {
        std::cerr << "brellow-bench: needs an X display (make bench starts a virtual one)\n";
        return 1;
    }

    const std::string baseDir = "/tmp/brellow-bench-" + std::to_string(getpid());
    bool allOk = true;
    for (int size : options.sizes) {
        std::cerr << "terrain " << size << ": " << options.framesPerSize() << " frames ..." << std::endl;
        report.sizes.push_back(measureSize(options, baseDir, {size, options.framesPerSize(), true, false}));
        allOk = allOk && report.sizes.back().ok;
    }
    if (options.driftFrames > 0) {
        std::cerr << "memory drift at " << options.driftSize << ": " << options.driftFrames << " frames ..."
                  << std::endl;
        report.hasDrift = true;
        report.drift = measureSize(options, baseDir, {options.driftSize, options.driftFrames, false, false});
        allOk = allOk && report.drift.ok;
    }
    std::error_code ignored;
    std::filesystem::remove_all(baseDir, ignored);

    printReportTable(report, std::cout);
    if (!saveReportJson(report, options.jsonPath)) {
        std::cerr << "brellow-bench: could not write " << options.jsonPath << "\n";
        return 1;
    }
    std::cout << "\nresults written to " << options.jsonPath << "\n";
    return allOk ? 0 : 1;
}
