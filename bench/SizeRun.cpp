#include "SizeRun.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "BenchWindow.h"
#include "HeapCounter.h"
#include "MainLoopRun.h"
#include "PassProfiler.h"
#include "ProcessMemory.h"
#include "PlainTerrainFrame.h"
#include "ScriptedRun.h"
#include "game/GameInput.h"
#include "platform/GameWindow.h"
#include "base/HeapUpkeep.h"
#include "reference/ReferenceFrame.h"
#include "frame/FrameView.h"
#include "game/GameFrame.h"
#include "game/GameScreen.h"
#include "scene/Object.h"
#include "terrain/Terrain.h"

namespace {

// Heap calls between two readings, folded into the run's totals.
void addHeapCalls(HeapCounts& totals, const HeapCallCounts& before, const HeapCallCounts& after) {
    const int64_t program = after.fromProgram - before.fromProgram;
    const int64_t cppLibrary = after.fromCppLibrary - before.fromCppLibrary;
    const int64_t libraries = after.fromLibraries - before.fromLibraries;
    totals.fromProgram += program;
    totals.fromCppLibrary += cppLibrary;
    totals.fromLibraries += libraries;
    totals.otherThreads += after.otherThreads - before.otherThreads;
    totals.maxFromProgramInAFrame = std::max(totals.maxFromProgramInAFrame, program);
    totals.maxFromCppLibraryInAFrame = std::max(totals.maxFromCppLibraryInAFrame, cppLibrary);
    totals.maxFromLibrariesInAFrame = std::max(totals.maxFromLibrariesInAFrame, libraries);
}

constexpr int rssSampleFrames = 25;  // frames between readings of resident memory after the first cycle

struct FrameLists {
    std::vector<double> all, day, night;
    std::vector<double> phases[dayPhaseCount];
};

SceneFrames summarizeScene(const FrameLists& lists) {
    SceneFrames scene;
    for (int i = 0; i < dayPhaseCount; ++i) scene.phases[i] = summarizeFrames(lists.phases[i]);
    scene.all = summarizeFrames(lists.all);
    return scene;
}

}  // namespace

SizeResult runSize(const BenchOptions& options, const SizeRunPlan& plan) {
    SizeResult result;
    result.requestedSize = plan.requestedSize;
    result.gridSize = terrainGridSize(plan.requestedSize);

    const SceneLook& look = sceneLook(plan.scene);
    settleHeap();  // as the game does at start-up
    openBenchWindow(look.windowWidth, look.windowHeight);
    startHeapCounting();
    result.rssBeforeBuildKb = residentKb();
    double start = nowMs();
    auto game = std::make_unique<GameScreen>();
    GameWorld& world = game->world;
    if (plan.clientArrays) game->frame.terrainBatch.sendFromClientMemory();
    initWorld(world, options.seed);
    if (look.ride) pressKey(world, '1');
    const float startHeading = world.scene.vehicle->getRotationY();
    glFinish();
    result.buildMs = nowMs() - start;
    result.rssAfterBuildKb = residentKb();

    const int profileEvery = plan.profile ? options.profileEvery : 0;
    auto profiler = std::make_unique<PassProfiler>();
    // Each profiled day frame is followed at once by the plain terrain frame
    // of its record, so the two are timed side by side: the machine's speed
    // may drift over a run, and a ratio of times taken minutes apart would
    // carry that drift.
    std::vector<double> referenceMs;
    if (profileEvery > 0) referenceMs.reserve(static_cast<size_t>(plan.frames / profileEvery) + 1);
    bool referenceWarm = false;
    const bool drawReference = plan.scene == BenchScene::chase1024;  // the one the report compares with
    FrameLists lists;
    const int cycleFrames = static_cast<int>(std::lround(wholeDayAndNightMs / options.stepMs));
    const bool wholeCycles = plan.frames >= 2 * cycleFrames;
    std::vector<double> firstCycleMs, lastCycleMs;
    ScriptedRun script(world, options.stepMs, options.turnPixels);
    script.start();
    script.pressDirectly();

    for (int frame = 0; frame < plan.frames; ++frame) {
        const bool profiled = profileEvery > 0 && frame % profileEvery == profileEvery - 1;
        const HeapCallCounts heapBefore = heapCallCounts();
        start = nowMs();
        script.advance();
        stepGame(*game);
        upkeepHeap(static_cast<float>(options.stepMs));  // as the screen loop does after each idle pass
        const bool day = shadowPassRuns(world);
        const DayPhase phase = dayPhaseOf(world.sunAngle, world.sunHeight, world.headlightsOn);
        if (profiled) profiler->beginFrame(nowMs() - start);
        FrameView drawn;
        if (options.plainDrawing) {
            drawn = makeFrameView(world, game->frame.drawnQuads);
            drawReferenceFrame(drawn, game->frame.lights);
            glutSwapBuffers();
        } else {
            drawn = displayGame(*game);
        }
        glFinish();
        const double frameMs = nowMs() - start;
        const HeapCallCounts heapAfter = heapCallCounts();

        if (frame == 0) {
            result.firstFrameMs = frameMs;
            result.rssStartKb = residentKb();
            result.heapBytesInUseStart = heapBytesInUse();
            continue;
        }
        addHeapCalls(result.heapAfterFirstFrame, heapBefore, heapAfter);
        if (profiled) {
            profiler->endFrame(day, phase);
            if (day && drawReference) {
                const double referenceStart = nowMs();
                drawPlainTerrainFrame(drawn, game->frame.lights);
                if (referenceWarm) referenceMs.push_back(nowMs() - referenceStart);
                referenceWarm = true;  // the first one warms up and is not counted
            }
            continue;
        }
        lists.all.push_back(frameMs);
        (day ? lists.day : lists.night).push_back(frameMs);
        if (phase != DayPhase::none) lists.phases[static_cast<int>(phase)].push_back(frameMs);
        if (wholeCycles && frame <= cycleFrames) firstCycleMs.push_back(frameMs);
        if (wholeCycles && frame == cycleFrames) result.rssAfterFirstCycleKb = residentKb();
        if (wholeCycles && frame > cycleFrames && frame % rssSampleFrames == 0) {
            const bool later = frame >= cycleFrames + (plan.frames - cycleFrames) / 2;
            int64_t& highest = later ? result.rssHighestLaterKb : result.rssHighestEarlierKb;
            highest = std::max(highest, residentKb());
        }
        if (wholeCycles && frame >= plan.frames - cycleFrames) lastCycleMs.push_back(frameMs);
    }
    result.firstCycle = summarizeFrames(firstCycleMs);
    result.lastCycle = summarizeFrames(lastCycleMs);
    result.framesDrawn = plan.frames;
    result.rssEndKb = residentKb();
    result.heapBytesInUseEnd = heapBytesInUse();
    result.dayPasses = profiler->meanPasses(true);
    result.nightPasses = profiler->meanPasses(false);
    for (int i = 0; i < dayPhaseCount; ++i) result.phasePasses[i] = profiler->meanPasses(static_cast<DayPhase>(i));
    profiler.reset();
    result.all = summarizeFrames(lists.all);
    result.day = summarizeFrames(lists.day);
    result.night = summarizeFrames(lists.night);
    result.scenes[static_cast<int>(plan.scene)] = summarizeScene(lists);

    result.reference = summarizeFrames(referenceMs);
    result.headingTurnedDegrees = world.scene.vehicle->getRotationY() - startHeading;
    releaseWorld(world);
    game->frame.release();
    result.peakRssKb = peakResidentKb();
    result.ok = true;
    return result;
}

SizeResult runSizeThroughMainLoop(const BenchOptions& options, const SizeRunPlan& plan) {
    SizeResult result;
    settleHeap();
    openBenchWindow(windowWidth, windowHeight);
    result.mainLoop = runThroughMainLoop(options, plan.frames, result.mainLoopHeadingTurnedDegrees);
    result.ok = true;
    return result;
}
