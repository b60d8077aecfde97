#include "ResultJson.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

// A number JSON can hold: non-finite values become null.
std::string number(double value) {
    if (!std::isfinite(value)) return "null";
    std::ostringstream text;
    text.precision(6);
    text << value;
    return text.str();
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

void writeSummary(std::ostream& out, const char* name, const FrameSummary& summary, const char* after) {
    out << "      " << quoted(name) << ": {\"frames\": " << summary.frames
        << ", \"median_ms\": " << number(summary.medianMs) << ", \"p95_ms\": " << number(summary.p95Ms)
        << ", \"mean_ms\": " << number(summary.meanMs) << ", \"fps\": " << number(summary.fps) << "}" << after
        << "\n";
}

void writePasses(std::ostream& out, const char* name, const PassTimes& passes, const char* after) {
    out << "        " << quoted(name) << ": {\"frames\": " << passes.frames
        << ", \"update\": " << number(passes.updateMs);
    for (int i = 0; i < passSlots; ++i)
        out << ", " << quoted(framePassName(static_cast<FramePass>(i))) << ": " << number(passes.passMs[i]);
    out << "}" << after << "\n";
}

void writeHeap(std::ostream& out, const SizeResult& size) {
    const HeapCounts& heap = size.heapAfterFirstFrame;
    const double counted = size.framesDrawn > 1 ? size.framesDrawn - 1 : 1;
    out << "      \"heap_after_first_frame\": {\"frames\": " << size.framesDrawn - 1
        << ", \"game_code\": " << heap.fromProgram
        << ", \"game_code_per_frame\": " << number(static_cast<double>(heap.fromProgram) / counted)
        << ", \"game_code_max_in_a_frame\": " << heap.maxFromProgramInAFrame
        << ", \"cpp_library\": " << heap.fromCppLibrary
        << ", \"cpp_library_per_frame\": " << number(static_cast<double>(heap.fromCppLibrary) / counted)
        << ", \"cpp_library_max_in_a_frame\": " << heap.maxFromCppLibraryInAFrame
        << ", \"gl_x_libraries\": " << heap.fromLibraries
        << ", \"gl_x_libraries_per_frame\": " << number(static_cast<double>(heap.fromLibraries) / counted)
        << ", \"gl_x_libraries_max_in_a_frame\": " << heap.maxFromLibrariesInAFrame
        << ", \"other_threads\": " << heap.otherThreads
        << ", \"bytes_in_use_start\": " << size.heapBytesInUseStart
        << ", \"bytes_in_use_end\": " << size.heapBytesInUseEnd << "},\n";
}

void writeSize(std::ostream& out, const SizeResult& size, bool last) {
    out << "    {\n";
    out << "      \"requested_size\": " << size.requestedSize << ",\n";
    out << "      \"grid_size\": " << size.gridSize << ",\n";
    out << "      \"ok\": " << (size.ok ? "true" : "false") << ",\n";
    if (!size.ok) out << "      \"error\": " << quoted(size.error) << ",\n";
    out << "      \"build_ms\": " << number(size.buildMs) << ",\n";
    out << "      \"rss_before_build_kb\": " << size.rssBeforeBuildKb << ",\n";
    out << "      \"rss_after_build_kb\": " << size.rssAfterBuildKb << ",\n";
    out << "      \"peak_rss_kb\": " << size.peakRssKb << ",\n";
    out << "      \"frames_drawn\": " << size.framesDrawn << ",\n";
    out << "      \"first_frame_ms\": " << number(size.firstFrameMs) << ",\n";
    writeSummary(out, "all", size.all, ",");
    writeSummary(out, "day", size.day, ",");
    writeSummary(out, "night", size.night, ",");
    writeSummary(out, "reference", size.reference, ",");
    writeSummary(out, "main_loop", size.mainLoop, ",");
    out << "      \"heading_turned_degrees\": " << number(size.headingTurnedDegrees)
        << ", \"main_loop_heading_turned_degrees\": " << number(size.mainLoopHeadingTurnedDegrees) << ",\n";
    out << "      \"day_over_reference\": " << number(ratioOrZero(size.day.medianMs, size.reference.medianMs))
        << ",\n";
    writeHeap(out, size);
    if (size.clientArrayDay.frames > 0) {
        writeSummary(out, "client_arrays_day", size.clientArrayDay, ",");
        out << "      \"client_arrays_terrain_ms\": " << number(size.clientArrayTerrainMs) << ",\n";
    }
    out << "      \"passes_mean_ms\": {\n";
    writePasses(out, "day", size.dayPasses, ",");
    writePasses(out, "night", size.nightPasses, "");
    out << "      }\n";
    out << "    }" << (last ? "" : ",") << "\n";
}

}  // namespace

std::string timingMethod(const BenchOptions& options) {
    std::ostringstream text;
    text << "frame = update + display + glFinish, timed on unprofiled frames after the first; ";
    if (options.profileEvery > 0) {
        text << "pass times from every " << options.profileEvery
             << "th frame of the same run, with glFinish at each pass mark (those frames are left out of the "
                "frame times); ";
    } else {
        text << "no pass profiling; ";
    }
    text << "reference = clear + terrain quads alone + swap + glFinish, each drawn right after a profiled day frame, with its view";
    return text.str();
}

void writeReportJson(const BenchReport& report, std::ostream& out) {
    const BenchOptions& options = report.options;
    const Ratios ratios = computeRatios(report);
    out << "{\n";
    out << "  \"program\": \"brellow-bench\",\n";
    out << "  \"seed\": " << options.seed << ",\n";
    out << "  \"step_ms\": " << number(options.stepMs) << ",\n";
    out << "  \"frames_per_size\": " << options.framesPerSize() << ",\n";
    out << "  \"turn_pixels_per_frame\": " << options.turnPixels << ",\n";
    out << "  \"profile_every\": " << options.profileEvery << ",\n";
    out << "  \"timing\": " << quoted(timingMethod(options)) << ",\n";
    out << "  \"sizes\": [\n";
    for (size_t i = 0; i < report.sizes.size(); ++i) writeSize(out, report.sizes[i], i + 1 == report.sizes.size());
    out << "  ],\n";
    out << "  \"ratios\": {\"day_over_reference_128\": " << number(ratios.dayOverReference128)
        << ", \"day_over_reference_target\": " << number(dayOverReferenceTarget)
        << ", \"day_256_over_128\": " << number(ratios.day256Over128)
        << ", \"all_256_over_128\": " << number(ratios.all256Over128)
        << ", \"day_1024_over_128\": " << number(ratios.day1024Over128)
        << ", \"day_2048_over_128\": " << number(ratios.day2048Over128)
        << ", \"main_loop_over_scripted_128\": " << number(ratios.mainLoopOverScripted128)
        << ", \"growth_target\": " << number(growthTarget) << "},\n";
    out << "  \"drift\": ";
    if (!report.hasDrift) {
        out << "null\n";
    } else {
        const SizeResult& drift = report.drift;
        out << "{\"ok\": " << (drift.ok ? "true" : "false") << ", \"grid_size\": " << drift.gridSize
            << ", \"frames\": " << drift.framesDrawn << ", \"rss_start_kb\": " << drift.rssStartKb
            << ", \"rss_end_kb\": " << drift.rssEndKb << ", \"rss_change_percent\": "
            << number(ratios.rssChangePercent) << ", \"rss_target_percent\": " << number(driftTargetPercent)
            << ", \"heap_bytes_in_use_start\": " << drift.heapBytesInUseStart
            << ", \"heap_bytes_in_use_end\": " << drift.heapBytesInUseEnd
            << ", \"rss_after_first_cycle_kb\": " << drift.rssAfterFirstCycleKb
            << ", \"rss_highest_earlier_half_kb\": " << drift.rssHighestEarlierKb
            << ", \"rss_highest_later_half_kb\": " << drift.rssHighestLaterKb
            << ", \"rss_later_over_earlier_percent\": " << number(ratios.rssLaterOverEarlierPercent)
            << ", \"first_cycle_median_ms\": " << number(drift.firstCycle.medianMs)
            << ", \"last_cycle_median_ms\": " << number(drift.lastCycle.medianMs)
            << ", \"game_code_allocations_after_first_frame\": " << drift.heapAfterFirstFrame.fromProgram
            << ", \"cpp_library_allocations_after_first_frame\": " << drift.heapAfterFirstFrame.fromCppLibrary
            << ", \"gl_x_library_allocations_after_first_frame\": " << drift.heapAfterFirstFrame.fromLibraries
            << ", \"median_frame_ms\": " << number(drift.all.medianMs) << "}\n";
    }
    out << "}\n";
}

bool saveReportJson(const BenchReport& report, const std::string& path) {
    std::ofstream file(path);
    if (!file) return false;
    writeReportJson(report, file);
    return static_cast<bool>(file);
}
