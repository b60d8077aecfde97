// brellow-bench: plays a fixed scripted run of the game on terrains of
// several sizes and reports frame times, pass times, memory and heap use as a
// table and as JSON. See README.md, "Benchmark".
#include <unistd.h>

#include <filesystem>
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
    if (result.ok && plan.profile) {
        const SizeResult mainLoop = measureInChild(dir, [&] { return runSizeThroughMainLoop(options, plan); });
        result.mainLoop = mainLoop.mainLoop;
        result.mainLoopHeadingTurnedDegrees = mainLoop.mainLoopHeadingTurnedDegrees;
        if (!mainLoop.ok) std::snprintf(result.error, sizeof result.error, "main loop: %.180s", mainLoop.error);
        result.ok = mainLoop.ok;
    }
    if (result.ok && plan.profile && options.clientArraysToo) {
        SizeRunPlan clientPlan = plan;
        clientPlan.clientArrays = true;
        const SizeResult client = measureInChild(dir, [&] { return runSize(options, clientPlan); });
        result.clientArrayDay = client.day;
        result.clientArrayTerrainMs = client.dayPasses.passMs[static_cast<int>(FramePass::terrain)];
        if (!client.ok) std::snprintf(result.error, sizeof result.error, "client arrays: %.180s", client.error);
        result.ok = client.ok;
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
        report.sizes.push_back(measureSize(options, baseDir, {size, options.framesPerSize(), true}));
        allOk = allOk && report.sizes.back().ok;
    }
    if (options.driftFrames > 0) {
        std::cerr << "memory drift at " << options.driftSize << ": " << options.driftFrames << " frames ..."
                  << std::endl;
        report.hasDrift = true;
        report.drift = measureSize(options, baseDir, {options.driftSize, options.driftFrames, false});
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
