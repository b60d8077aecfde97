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
double perFrame(int64_t count, const SizeResult& size) {
    return static_cast<double>(count) / std::max(1, size.framesDrawn - 1);
}
std::string kb(int64_t value) { return format("%.1f MB", static_cast<double>(value) / 1024.0); }

void printFrames(std::ostream& out, const BenchReport& report) {
    row(out, report, "grid points a side", [](const SizeResult& s) { return std::to_string(s.gridSize); });
    row(out, report, "world build (ms)", [](const SizeResult& s) { return ms(s.buildMs); });
    row(out, report, "resident after build", [](const SizeResult& s) { return kb(s.rssAfterBuildKb); });
    row(out, report, "peak resident", [](const SizeResult& s) { return kb(s.peakRssKb); });
    // What each grid point costs: resident memory after the build above that
    // of the 128 run, shared by the grid points above its 128 x 128.
    const SizeResult* base = nullptr;
    for (const SizeResult& s : report.sizes)
        if (s.ok && s.gridSize == 128) base = &s;
    row(out, report, "bytes a grid point above 128", [base](const SizeResult& s) {
        if (!base || s.gridSize <= 128) return std::string("-");
        const double points = double(s.gridSize) * s.gridSize - 128.0 * 128.0;
        return format("%.0f", double(s.rssAfterBuildKb - base->rssAfterBuildKb) * 1024.0 / points);
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
    if (report.options.clientArraysToo) {
        row(out, report, "terrain pass: buffer (ms)", [](const SizeResult& s) {
            return ms(s.dayPasses.passMs[static_cast<int>(FramePass::terrain)]);
        });
        row(out, report, "terrain pass: client arrays", [](const SizeResult& s) { return ms(s.clientArrayTerrainMs); });
        row(out, report, "client arrays: day median",
            [](const SizeResult& s) { return ms(s.clientArrayDay, s.clientArrayDay.medianMs); });
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

void printPasses(std::ostream& out, const BenchReport& report, bool day) {
    bool any = false;
    for (const SizeResult& size : report.sizes) any = any || (day ? size.dayPasses : size.nightPasses).frames > 0;
    if (!any) return;
    out << (day ? "\nday passes, mean ms per profiled frame\n" : "\nnight passes, mean ms per profiled frame\n");
    auto passes = [day](const SizeResult& s) -> const PassTimes& { return day ? s.dayPasses : s.nightPasses; };
    row(out, report, "  profiled frames", [&](const SizeResult& s) { return std::to_string(passes(s).frames); });
    row(out, report, "  update", [&](const SizeResult& s) { return ms(passes(s).updateMs); });
    for (int i = 0; i < passSlots; ++i) {
        const std::string label = std::string("  ") + framePassName(static_cast<FramePass>(i));
        row(out, report, label.c_str(), [&](const SizeResult& s) { return ms(passes(s).passMs[i]); });
    }
}

std::string verdict(double value, double target) {
    if (value <= 0) return "not measured";
    return format(value <= target ? "%.2f  (target <= " : "%.2f  (MISSES target <= ", value) +
           format("%.2f)", target);
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
        << " ms, " << report.options.framesPerSize() << " frames per size, left button held, turning "
        << report.options.turnPixels << " px per frame, shadows on, chase view\n";
    out << "timing: " << timingMethod(report.options) << "\n\n";
    row(out, report, "terrain size", [](const SizeResult& s) { return std::to_string(s.requestedSize); });
    printFrames(out, report);
    printPasses(out, report, true);
    printPasses(out, report, false);

    const Ratios ratios = computeRatios(report);
    out << "\nday frame / reference frame at 128: " << verdict(ratios.dayOverReference128, dayOverReferenceTarget)
        << "\n";
    out << "day frame 256 / day frame 128:      " << verdict(ratios.day256Over128, growthTarget) << "\n";
    if (ratios.all256Over128 > 0) out << "all frames 256 / all frames 128:    " << format("%.2f", ratios.all256Over128) << "\n";
    if (ratios.day1024Over128 > 0) out << "day frame 1024 / day frame 128:     " << verdict(ratios.day1024Over128, bigMapTarget) << "\n";
    if (ratios.day2048Over128 > 0) out << "day frame 2048 / day frame 128:     " << verdict(ratios.day2048Over128, bigMapTarget) << "\n";
    const double mainLoop = ratios.mainLoopOverScripted128;
    if (mainLoop > 0)
        out << "main loop / scripted frames/s, 128: " << format("%.2f", mainLoop)
            << (mainLoop >= mainLoopTarget ? "  (target >= " : "  (MISSES target >= ") << format("%.2f)", mainLoopTarget)
            << "\n";
    if (report.hasDrift) printDrift(out, report.drift, ratios);
    for (const SizeResult& size : report.sizes)
        if (!size.ok) out << "size " << size.requestedSize << " failed: " << size.error << "\n";
}
