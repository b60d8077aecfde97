// Runs the real benchmark program for a few frames in the test display and
// checks the JSON it leaves: the keys scripts read and numbers that make sense.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "support/PrivateDisplay.h"

namespace {

// The first number after "key": in the text, or NaN when the key is absent.
double numberAfter(const std::string& json, const std::string& key, size_t from = 0) {
    std::smatch match;
    std::regex pattern("\"" + key + "\": (-?[0-9.e+-]+)");
    std::string rest = json.substr(from);
    if (!std::regex_search(rest, match, pattern)) return std::nan("");
    return std::stod(match[1]);
}

}  // namespace

TEST(BenchRun, AShortRunWritesItsResults) {
    // A screen that holds the 1440 x 1080 window. At 250 ms a step, 180
    // frames go from sunrise through noon, late afternoon and sunset into
    // the night.
    const std::string display = startVirtualDisplay("1920x1200x24");
    const std::string json = "/tmp/brellow-bench-run-" + std::to_string(getpid()) + ".json";
    const std::string command = "DISPLAY=" + display + " " + BRELLOW_BENCH_BIN +
                                " --frames 180 --step 250 --sizes 128 --drift-frames 0 --client-arrays --json " +
                                json + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    std::ifstream in(json);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::remove(json.c_str());
    ASSERT_FALSE(text.empty());

    EXPECT_EQ(numberAfter(text, "grid_size"), 128);
    EXPECT_EQ(numberAfter(text, "frames_drawn"), 180);
    EXPECT_GT(numberAfter(text, "build_ms"), 0);
    EXPECT_GT(numberAfter(text, "peak_rss_kb"), numberAfter(text, "rss_before_build_kb") - 1);
    EXPECT_GT(numberAfter(text, "rss_after_build_kb"), 10000) << "a GL context and a world take megabytes";

    // 157 of the frames are day frames; every 4th is profiled.
    const size_t day = text.find("\"day\": {");
    ASSERT_NE(day, std::string::npos);
    EXPECT_GT(numberAfter(text, "frames", day), 15);
    const double median = numberAfter(text, "median_ms", day);
    EXPECT_GT(median, 0);
    EXPECT_LT(median, 5000);
    EXPECT_GE(numberAfter(text, "p95_ms", day), median);
    const size_t reference = text.find("\"reference\": {");
    ASSERT_NE(reference, std::string::npos);
    EXPECT_GT(numberAfter(text, "median_ms", reference), 0);
    EXPECT_GT(numberAfter(text, "day_over_reference"), 0);

    // Each view and window, each time of day: the night with headlights
    // needs the player's 'h'.
    for (const char* scene : {"chase_1024x768", "ride_1024x768", "chase_1440x1080"}) {
        const size_t at = text.find("\"" + std::string(scene) + "\": {");
        ASSERT_NE(at, std::string::npos) << scene;
        for (const char* phase : {"noon", "late_afternoon", "sunset", "night_headlights"}) {
            const size_t phaseAt = text.find("\"" + std::string(phase) + "\": {", at);
            EXPECT_GT(numberAfter(text, "frames", phaseAt), 0) << scene << " " << phase;
            EXPECT_GT(numberAfter(text, "median_ms", phaseAt), 0) << scene << " " << phase;
        }
    }
    const size_t terrainByPhase = text.find("\"terrain_ms_by_phase\"");
    EXPECT_GT(numberAfter(text, "night_headlights", terrainByPhase), 0);
    EXPECT_GT(numberAfter(text, "large_picture_over_noon\": \\{\"128"), 0);

    // The same frames through the game's own main loop, its input sent as
    // X events: every frame after the first is timed, and the vehicle turns
    // as in the scripted run, one frame's turn less.
    const size_t mainLoop = text.find("\"main_loop\": {");
    ASSERT_NE(mainLoop, std::string::npos);
    EXPECT_EQ(numberAfter(text, "frames", mainLoop), 179);
    EXPECT_GT(numberAfter(text, "fps", mainLoop), 0);
    const double turned = numberAfter(text, "heading_turned_degrees");
    EXPECT_GT(turned, 5);
    EXPECT_NEAR(numberAfter(text, "main_loop_heading_turned_degrees"), turned, 0.5);

    const size_t passes = text.find("\"passes_mean_ms\"");
    ASSERT_NE(passes, std::string::npos);
    EXPECT_GT(numberAfter(text, "frames", passes), 0);
    EXPECT_GT(numberAfter(text, "terrain", passes), 0);
    EXPECT_GT(numberAfter(text, "shadow read-back", passes), 0);

    // The same frames again with the terrain in client-side arrays.
    EXPECT_GT(numberAfter(text, "frames", text.find("\"client_arrays_day\"")), 100);
    EXPECT_GT(numberAfter(text, "client_arrays_terrain_ms"), 0);

    EXPECT_GE(numberAfter(text, "game_code_per_frame"), 0);
    EXPECT_NE(text.find("\"ratios\""), std::string::npos);
    EXPECT_NE(text.find("\"drift\": null"), std::string::npos);
}
