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

void writeSummary(std::ostream& out, const char* name, const FrameSummary& summary, const char* after,
                  const char* indent = "      ") {
    out << indent << quoted(name) << ": {\"frames\": " << summary.frames
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

// "scenes": each scene's frames by time of day and all together.
void writeScenes(std::ostream& out, const SizeResult& size) {
    out << "      \"scenes\": {\n";
    for (int scene = 0; scene < benchSceneCount; ++scene) {
        const SceneFrames& frames = size.scenes[scene];
        out << "        " << quoted(sceneLook(static_cast<BenchScene>(scene)).jsonName) << ": {\n";
        for (int phase = 0; phase < dayPhaseCount; ++phase)
            writeSummary(out, dayPhaseJsonName(static_cast<DayPhase>(phase)), frames.phases[phase], ",", "          ");
        writeSummary(out, "all", frames.all, "", "          ");
        out << "        }" << (scene + 1 < benchSceneCount ? "," : "") << "\n";
    }
    out << "      },\n";
    out << "      \"terrain_ms_by_phase\": {";
    for (int phase = 0; phase < dayPhaseCount; ++phase)
        out << (phase ? ", " : "") << quoted(dayPhaseJsonName(static_cast<DayPhase>(phase))) << ": "
            << number(size.phasePasses[phase].passMs[static_cast<int>(FramePass::terrain)]);
    out << "},\n";
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
    writeScenes(out, size);
    if (size.clientArrayDay.frames > 0) {
        writeSummary(out, "client_arrays_day", size.clientArrayDay, ",");
        out << "      \"client_arrays_terrain_ms\": " << number(size.clientArrayTerrainMs)
            << ", \"client_arrays_game_heap_calls\": " << size.clientArrayGameHeapCalls << ",\n";
    }
    out << "      \"ride_passes_mean_ms\": {\n";
    writePasses(out, "day", size.rideDayPasses, ",");
    writePasses(out, "night", size.rideNightPasses, "");
    out << "      },\n";
    out << "      \"passes_mean_ms\": {\n";
    writePasses(out, "day", size.dayPasses, ",");
    writePasses(out, "night", size.nightPasses, ",");
    for (int phase = 0; phase < dayPhaseCount; ++phase)
        writePasses(out, dayPhaseJsonName(static_cast<DayPhase>(phase)), size.phasePasses[phase],
                    phase + 1 < dayPhaseCount ? "," : "");
    out << "      }\n";
    out << "    }" << (last ? "" : ",") << "\n";
}

// One figure per size, by requested size: {"128": 0.5, ...}; sizes without it are left out.
template <typename Figure>
void writeBySize(std::ostream& out, const BenchReport& report, const char* name, Figure figure) {
    const SizeResult* base = findSize(report, 128);
    out << "    " << quoted(name) << ": {";
    const char* separator = "";
    for (const SizeResult& size : report.sizes) {
        if (!size.ok) continue;
        const std::string value = figure(size, sizeFigures(size, base));
        if (value.empty()) continue;
        out << separator << quoted(std::to_string(size.requestedSize)) << ": " << value;
        separator = ", ";
    }
    out << "},\n";
}

void writeSizeRatios(std::ostream& out, const BenchReport& report, const Ratios& ratios) {
    out << "    \"noon_over_reference_128\": " << number(ratios.noonOverReference128)
        << ", \"noon_over_reference_target\": " << number(noonOverReferenceTarget) << ",\n";
    writeBySize(out, report, "noon_over_128", [](const SizeResult& size, const SizeFigures& figures) {
        return size.requestedSize > 128 && figures.noonOver128 > 0 ? number(figures.noonOver128) : std::string();
    });
    writeBySize(out, report, "worst_over_noon", [](const SizeResult&, const SizeFigures& figures) {
        if (figures.worstOverNoon <= 0) return std::string();
        return "{\"ratio\": " + number(figures.worstOverNoon) + ", \"scene\": " +
               quoted(sceneLook(figures.worstScene).jsonName) + ", \"phase\": " +
               quoted(dayPhaseJsonName(figures.worstPhase)) + "}";
    });
    writeBySize(out, report, "large_picture_over_noon", [](const SizeResult&, const SizeFigures& figures) {
        return figures.largePictureOverNoon > 0 ? number(figures.largePictureOverNoon) : std::string();
    });
    writeBySize(out, report, "bytes_per_grid_point", [](const SizeResult&, const SizeFigures& figures) {
        return figures.bytesPerGridPoint > 0 ? number(figures.bytesPerGridPoint) : std::string();
    });
    writeBySize(out, report, "game_heap_calls_per_frame",
                [](const SizeResult&, const SizeFigures& figures) { return number(figures.gameHeapCallsPerFrame); });
    const SizeResult* largest = findSize(report, largestDefaultSize);
    out << "    \"build_ms_4096\": " << (largest ? number(largest->buildMs) : "null")
        << ", \"first_frame_ms_4096\": " << (largest ? number(largest->firstFrameMs) : "null") << ",\n";
    out << "    \"big_map_target\": " << number(bigMapTarget)
        << ", \"scene_spread_target\": " << number(sceneSpreadTarget)
        << ", \"large_picture_target\": " << number(largePictureTarget)
        << ", \"build_target_ms\": " << number(buildTargetMs)
        << ", \"first_frame_target_ms\": " << number(firstFrameTargetMs)
        << ", \"bytes_per_grid_point_target\": " << number(bytesPerPointTarget)
        << ", \"game_heap_calls_target\": " << number(gameHeapCallsTarget) << "\n";
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
    text << "reference = clear + the terrain quads the frame chose, vertex by vertex, alone + swap + glFinish, each "
            "drawn right after a profiled day frame of the chase view at 1024 x 768, with its view";
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
        << ", \"day_256_over_128\": " << number(ratios.day256Over128)
        << ", \"all_256_over_128\": " << number(ratios.all256Over128)
        << ", \"day_1024_over_128\": " << number(ratios.day1024Over128)
        << ", \"day_2048_over_128\": " << number(ratios.day2048Over128)
        << ", \"main_loop_over_scripted_128\": " << number(ratios.mainLoopOverScripted128)
        << ", \"main_loop_target\": " << number(mainLoopTarget) << ",\n";
    writeSizeRatios(out, report, ratios);
    out << "  },\n";
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
