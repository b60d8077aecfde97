#pragma once
// What the benchmark measures for one terrain size. The record is trivially
// copyable: each size runs in a child process of its own (so that its peak
// resident memory is its own) and sends the record back through a pipe.
#include <cstdint>

#include "BenchScene.h"
#include "DayPhase.h"
#include "FrameStats.h"
#include "platform/FramePasses.h"

constexpr int passSlots = static_cast<int>(FramePass::count);

// Mean milliseconds of each pass over the profiled frames of one kind. Each
// pass runs from the previous mark (or the start of gameDisplay) to its own
// mark, with glFinish at every mark; a pass drawn in tiles adds up its tiles.
struct PassTimes {
    int frames = 0;                   // profiled frames of this kind
    double updateMs = 0;              // gameIdle
    double passMs[passSlots] = {};    // indexed by FramePass
};

// Heap calls (malloc, calloc, realloc, operator new) sorted by the code that
// made them; see HeapCounter.h.
struct HeapCounts {
    int64_t fromProgram = 0;          // the game's own code, on the game's thread
    int64_t fromCppLibrary = 0;       // libstdc++ (std::string members), on the game's thread
    int64_t fromLibraries = 0;        // GL driver, shader compiler, X, on the game's thread
    int64_t otherThreads = 0;         // the GL driver's worker threads
    int64_t maxFromProgramInAFrame = 0;
    int64_t maxFromCppLibraryInAFrame = 0;
    int64_t maxFromLibrariesInAFrame = 0;
};

// The unprofiled frames of one scene's run, by time of day and all together.
struct SceneFrames {
    FrameSummary phases[dayPhaseCount];  // indexed by DayPhase
    FrameSummary all;
};

struct SizeResult {
    int requestedSize = 0;
    int gridSize = 0;                 // points a side actually drawn
    bool ok = false;
    char error[200] = {};

    double buildMs = 0;               // initWorld, to glFinish
    int64_t rssBeforeBuildKb = 0;     // window and GL context open
    int64_t rssAfterBuildKb = 0;
    int64_t peakRssKb = 0;            // VmHWM of this size's process at its end

    int framesDrawn = 0;
    double firstFrameMs = 0;          // left out of the summaries below
    FrameSummary all;                 // unprofiled frames after the first
    FrameSummary day;                 // ... with the sun up and the shadow pass on
    FrameSummary night;               // ... the rest
    FrameSummary reference;           // terrain-only frames with the day frames' views
    FrameSummary mainLoop;            // the same frames played through the game's main loop
    SceneFrames scenes[benchSceneCount];  // indexed by BenchScene; chase 1024 x 768 is the run above
    // How far the vehicle turned over each run: the player's input reached
    // the game, the same in both.
    double headingTurnedDegrees = 0;
    double mainLoopHeadingTurnedDegrees = 0;

    PassTimes dayPasses;
    PassTimes nightPasses;
    PassTimes phasePasses[dayPhaseCount];  // the same profiled frames by time of day
    PassTimes rideDayPasses;               // the driver's-seat run's profiled frames
    PassTimes rideNightPasses;

    // The same run with the terrain sent from client-side vertex arrays, as
    // on a GL without buffer objects (--client-arrays): its day frames and
    // its terrain pass. No frames when not asked for.
    FrameSummary clientArrayDay;
    double clientArrayTerrainMs = 0;
    int64_t clientArrayGameHeapCalls = 0;  // by the game's code after the first frame

    HeapCounts heapAfterFirstFrame;   // summed over frames 2 .. n
    int64_t heapBytesInUseStart = 0;  // mallinfo2 after the first frame
    int64_t heapBytesInUseEnd = 0;    // ... and after the last
    int64_t rssStartKb = 0;           // VmRSS after the first frame
    int64_t rssEndKb = 0;             // ... and after the last

    // For runs of two or more whole days and nights: the unprofiled frames of
    // the first and of the last day-night cycle, so that a drift of the frame
    // time over a long run shows at the same times of day.
    FrameSummary firstCycle;
    FrameSummary lastCycle;
    // VmRSS once the first day and night are over: Mesa's caches have met
    // every lighting state by then, so growth after it would be a leak.
    int64_t rssAfterFirstCycleKb = 0;
    // After the first day and night, VmRSS is read every few frames. What a
    // frame draws sets how much the rasteriser holds, so single readings
    // wander with the view; the highest reading of the earlier half of the
    // rest of the run against that of the later half shows growth.
    int64_t rssHighestEarlierKb = 0;
    int64_t rssHighestLaterKb = 0;
};
