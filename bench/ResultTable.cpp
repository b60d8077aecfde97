#include "ResultTable.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "ResultJson.h"

namespace {

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// One cell per measured size, right-aligned.
template <typename Cell>
void row(std::ostream& out, const BenchReport& report, const char* label, Cell cell) {
    char head[40];
    std::snprintf(head, sizeof head, "%-30s", label);
    out << head;
    for (const SizeResult& size : report.sizes) {
        char text[24];
        std::snprintf(text, sizeof text, "%12s", size.ok ? cell(size).c_str() : "failed");
        out << text;
    }
    out << "\n";
}

std::string ms(double value) { return format("%.2f", value); }
// A summary's figure, or "-" when no frame of that kind was drawn.
std::string ms(const FrameSummary& summary, double value) { return summary.frames ? ms(value) : "-"; }
std::string median(const FrameSummary& summary) { return ms(summary, summary.medianMs); }
double perFrame(int64_t count, const SizeResult& size) { return perFrameAfterFirst(count, size); }
std::string kb(int64_t value) { return format("%.1f MB", static_cast<double>(value) / 1024.0); }

// The median frame of each time of day in each scene, and the chase view's
// terrain pass by time of day.
void printPhases(std::ostream& out, const BenchReport& report) {
    out << "median frame by time of day (ms)\n";
    for (int scene = 0; scene < benchSceneCount; ++scene) {
        out << "  " << sceneLook(static_cast<BenchScene>(scene)).name << "\n";
        for (int phase = 0; phase < dayPhaseCount; ++phase) {
            const std::string label = std::string("    ") + dayPhaseName(static_cast<DayPhase>(phase));
            row(out, report, label.c_str(), [&](const SizeResult& s) { return median(s.scenes[scene].phases[phase]); });
        }
        row(out, report, "    all frames", [&](const SizeResult& s) { return median(s.scenes[scene].all); });
    }
    out << "terrain pass by time of day, " << sceneLook(BenchScene::chase1024).name << " (ms, profiled)\n";
    for (int phase = 0; phase < dayPhaseCount; ++phase) {
        const std::string label = std::string("  ") + dayPhaseName(static_cast<DayPhase>(phase));
        row(out, report, label.c_str(), [&](const SizeResult& s) {
            const PassTimes& passes = s.phasePasses[phase];
            return passes.frames ? ms(passes.passMs[static_cast<int>(FramePass::terrain)]) : std::string("-");
        });
    }
}

void printFrames(std::ostream& out, const BenchReport& report) {
    row(out, report, "grid points a side", [](const SizeResult& s) { return std::to_string(s.gridSize); });
    row(out, report, "world build (ms)", [](const SizeResult& s) { return ms(s.buildMs); });
    row(out, report, "resident after build", [](const SizeResult& s) { return kb(s.rssAfterBuildKb); });
    row(out, report, "peak resident", [](const SizeResult& s) { return kb(s.peakRssKb); });
    // What each grid point costs: resident memory after the build above that
    // of the 128 run, shared by the grid points above its 128 x 128.
    const SizeResult* base = findSize(report, 128);
    row(out, report, "bytes a grid point above 128", [base](const SizeResult& s) {
        const double bytes = sizeFigures(s, base).bytesPerGridPoint;
        return bytes > 0 ? format("%.0f", bytes) : std::string("-");
    });
    row(out, report, "frames drawn", [](const SizeResult& s) { return std::to_string(s.framesDrawn); });
    row(out, report, "first frame (ms)", [](const SizeResult& s) { return ms(s.firstFrameMs); });
    row(out, report, "all frames: median (ms)", [](const SizeResult& s) { return ms(s.all, s.all.medianMs); });
    row(out, report, "all frames: 95th pct (ms)", [](const SizeResult& s) { return ms(s.all, s.all.p95Ms); });
    row(out, report, "all frames: frames/s", [](const SizeResult& s) { return format("%.1f", s.all.fps); });
    row(out, report, "main loop: frames/s", [](const SizeResult& s) { return format("%.1f", s.mainLoop.fps); });
    row(out, report, "main loop: median (ms)", [](const SizeResult& s) { return ms(s.mainLoop, s.mainLoop.medianMs); });
    row(out, report, "day, shadows, chase: median", [](const SizeResult& s) { return ms(s.day, s.day.medianMs); });
    row(out, report, "day, shadows, chase: 95th", [](const SizeResult& s) { return ms(s.day, s.day.p95Ms); });
    row(out, report, "day: frames/s", [](const SizeResult& s) { return format("%.1f", s.day.fps); });
    row(out, report, "night: median (ms)", [](const SizeResult& s) { return ms(s.night, s.night.medianMs); });
    row(out, report, "night: 95th pct (ms)", [](const SizeResult& s) { return ms(s.night, s.night.p95Ms); });
    row(out, report, "reference: median (ms)",
        [](const SizeResult& s) { return ms(s.reference, s.reference.medianMs); });
    row(out, report, "day / reference", [](const SizeResult& s) {
        return format("%.2f", ratioOrZero(s.day.medianMs, s.reference.medianMs));
    });
    printPhases(out, report);
    if (report.options.clientArraysToo) {
        row(out, report, "terrain pass: buffer (ms)", [](const SizeResult& s) {
            return ms(s.dayPasses.passMs[static_cast<int>(FramePass::terrain)]);
        });
        row(out, report, "terrain pass: client arrays", [](const SizeResult& s) { return ms(s.clientArrayTerrainMs); });
        row(out, report, "client arrays: day median",
            [](const SizeResult& s) { return ms(s.clientArrayDay, s.clientArrayDay.medianMs); });
        row(out, report, "client arrays: game heap calls",
            [](const SizeResult& s) { return std::to_string(s.clientArrayGameHeapCalls); });
    }
    out << "heap calls per frame after the first (malloc and operator new)\n";
    row(out, report, "  by the game's code", [](const SizeResult& s) {
        return format("%.2f", perFrame(s.heapAfterFirstFrame.fromProgram, s));
    });
    row(out, report, "  by libstdc++", [](const SizeResult& s) {
        return format("%.2f", perFrame(s.heapAfterFirstFrame.fromCppLibrary, s));
    });
    row(out, report, "  by GL/X libraries", [](const SizeResult& s) {
        return format("%.2f", perFrame(s.heapAfterFirstFrame.fromLibraries, s));
    });
}

// Mean pass times of one kind of profiled frame, a column a size.
template <typename Passes>
void printPasses(std::ostream& out, const BenchReport& report, const char* title, Passes passes) {
    bool any = false;
    for (const SizeResult& size : report.sizes) any = any || passes(size).frames > 0;
    if (!any) return;
    out << "\n" << title << ", mean ms per profiled frame\n";
    row(out, report, "  profiled frames", [&](const SizeResult& s) { return std::to_string(passes(s).frames); });
    row(out, report, "  update", [&](const SizeResult& s) { return ms(passes(s).updateMs); });
    for (int i = 0; i < passSlots; ++i) {
        const std::string label = std::string("  ") + framePassName(static_cast<FramePass>(i));
        row(out, report, label.c_str(), [&](const SizeResult& s) { return ms(passes(s).passMs[i]); });
    }
}

// A figure against its upper target.
std::string verdict(double value, double target, bool measured, const char* pattern = "%.2f") {
    if (!measured) return "not measured";
    return format(pattern, value) + format(value <= target ? "  (target <= %g)" : "  (MISSES target <= %g)", target);
}
std::string verdict(double value, double target) { return verdict(value, target, value > 0); }

void printClosingLine(std::ostream& out, const std::string& label, const std::string& text) {
    char head[80];
    std::snprintf(head, sizeof head, "%-50s", (label + ":").c_str());
    out << head << text << "\n";
}

// The closing figures of each size: against 128, between the scenes and
// times of day, memory and heap calls.
void printSizeVerdicts(std::ostream& out, const BenchReport& report) {
    const SizeResult* base = findSize(report, 128);
    for (const SizeResult& size : report.sizes) {
        if (!size.ok) continue;
        const SizeFigures figures = sizeFigures(size, base);
        const std::string at = " at " + std::to_string(size.requestedSize);
        if (size.requestedSize > 128 && base)
            printClosingLine(out, "noon frame" + at + " / at 128", verdict(figures.noonOver128, bigMapTarget));
        const std::string where = std::string("  (") + sceneLook(figures.worstScene).name + ", " +
                                  dayPhaseName(figures.worstPhase) + ")";
        printClosingLine(out, "slowest time of day or view / noon" + at,
                         verdict(figures.worstOverNoon, sceneSpreadTarget) +
                             (figures.worstOverNoon > 0 ? where : ""));
        printClosingLine(out, "1440 x 1080 / 1024 x 768 noon frame" + at,
                         verdict(figures.largePictureOverNoon, largePictureTarget));
        if (figures.bytesPerGridPoint > 0)
            printClosingLine(out, "bytes a grid point" + at,
                             verdict(figures.bytesPerGridPoint, bytesPerPointTarget, true, "%.1f"));
        printClosingLine(out, "heap calls by the game's code per frame" + at,
                         verdict(figures.gameHeapCallsPerFrame, gameHeapCallsTarget, true));
        if (size.requestedSize == largestDefaultSize) {
            printClosingLine(out, "world build" + at + " (ms)", verdict(size.buildMs, buildTargetMs, true, "%.0f"));
            printClosingLine(out, "first frame" + at + " (ms)",
                             verdict(size.firstFrameMs, firstFrameTargetMs, true, "%.0f"));
        }
    }
}

void printDrift(std::ostream& out, const SizeResult& drift, const Ratios& ratios) {
    if (!drift.ok) {
        out << "memory drift run failed: " << drift.error << "\n";
        return;
    }
    out << "\nmemory over " << drift.framesDrawn << " frames at " << drift.gridSize << ":\n";
    out << "  resident after frame 1 / at the end: " << kb(drift.rssStartKb) << " / " << kb(drift.rssEndKb)
        << ", change " << format("%+.2f %%", ratios.rssChangePercent) << "\n";
    out << "  heap bytes in use after frame 1 / at the end: " << drift.heapBytesInUseStart << " / "
        << drift.heapBytesInUseEnd << "\n";
    if (drift.rssAfterFirstCycleKb > 0)
        out << "  resident after the first day and night / at the end: " << kb(drift.rssAfterFirstCycleKb) << " / "
            << kb(drift.rssEndKb) << ", change "
            << format("%+.2f %%", 100.0 * (drift.rssEndKb - drift.rssAfterFirstCycleKb) / drift.rssAfterFirstCycleKb)
            << "\n";
    if (drift.rssHighestEarlierKb > 0 && drift.rssHighestLaterKb > 0) {
        const double growth = ratios.rssLaterOverEarlierPercent;
        out << "  highest resident after the first day and night, earlier / later half: "
            << kb(drift.rssHighestEarlierKb) << " / " << kb(drift.rssHighestLaterKb) << ", change "
            << format("%+.2f %%", growth)
            << (growth <= driftTargetPercent ? "  (target at most +1 %)" : "  (MISSES target at most +1 %)") << "\n";
    }
    if (drift.firstCycle.frames > 0 && drift.lastCycle.frames > 0)
        out << "  frame time, first / last day and night: median " << format("%.2f", drift.firstCycle.medianMs)
            << " / " << format("%.2f", drift.lastCycle.medianMs) << " ms, 95th pct "
            << format("%.2f", drift.firstCycle.p95Ms) << " / " << format("%.2f", drift.lastCycle.p95Ms) << " ms\n";
    const HeapCounts& heap = drift.heapAfterFirstFrame;
    out << "  heap calls per frame after the first: " << format("%.3f", perFrame(heap.fromProgram, drift))
        << " by the game's code (at most " << heap.maxFromProgramInAFrame << " in a frame), "
        << format("%.3f", perFrame(heap.fromCppLibrary, drift)) << " by libstdc++, "
        << format("%.3f", perFrame(heap.fromLibraries, drift)) << " by GL/X libraries\n";
}

}  // namespace

void printReportTable(const BenchReport& report, std::ostream& out) {
    out << "\nbrellow-bench: seed " << report.options.seed << ", step " << format("%.3f", report.options.stepMs)
        << " ms, " << report.options.framesPerSize() << " frames per size and scene, left button held, turning "
        << report.options.turnPixels << " px per frame, shadows on, headlights on at night; chase view at 1024 x 768 "
           "unless said otherwise\n";
    out << "timing: " << timingMethod(report.options) << "\n\n";
    row(out, report, "terrain size", [](const SizeResult& s) { return std::to_string(s.requestedSize); });
    printFrames(out, report);
    printPasses(out, report, "day passes", [](const SizeResult& s) -> const PassTimes& { return s.dayPasses; });
    printPasses(out, report, "night passes", [](const SizeResult& s) -> const PassTimes& { return s.nightPasses; });
    printPasses(out, report, "day passes, ride 1024 x 768",
                [](const SizeResult& s) -> const PassTimes& { return s.rideDayPasses; });
    printPasses(out, report, "night passes, ride 1024 x 768",
                [](const SizeResult& s) -> const PassTimes& { return s.rideNightPasses; });

    const Ratios ratios = computeRatios(report);
    out << "\n";
    printClosingLine(out, "noon frame / reference frame at 128", verdict(ratios.noonOverReference128, noonOverReferenceTarget));
    printSizeVerdicts(out, report);
    if (ratios.day256Over128 > 0) printClosingLine(out, "day frame 256 / day frame 128", format("%.2f", ratios.day256Over128));
    if (ratios.all256Over128 > 0) printClosingLine(out, "all frames 256 / all frames 128", format("%.2f", ratios.all256Over128));
    const double mainLoop = ratios.mainLoopOverScripted128;
    if (mainLoop > 0)
        printClosingLine(out, "main loop / scripted frames/s at 128",
                         format("%.2f", mainLoop) +
                             format(mainLoop >= mainLoopTarget ? "  (target >= %g)" : "  (MISSES target >= %g)",
                                    mainLoopTarget));
    if (report.hasDrift) printDrift(out, report.drift, ratios);
    for (const SizeResult& size : report.sizes)
        if (!size.ok) out << "size " << size.requestedSize << " failed: " << size.error << "\n";
}
