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
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs the test command's X display";
    const std::string json = "/tmp/brellow-bench-run-" + std::to_string(getpid()) + ".json";
    const std::string command = std::string(BRELLOW_BENCH_BIN) +
                                " --frames 30 --sizes 128 --drift-frames 0 --client-arrays --json " + json + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    std::ifstream in(json);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::remove(json.c_str());
    ASSERT_FALSE(text.empty());

    EXPECT_EQ(numberAfter(text, "grid_size"), 128);
    EXPECT_EQ(numberAfter(text, "frames_drawn"), 30);
    EXPECT_GT(numberAfter(text, "build_ms"), 0);
    EXPECT_GT(numberAfter(text, "peak_rss_kb"), numberAfter(text, "rss_before_build_kb") - 1);
    EXPECT_GT(numberAfter(text, "rss_after_build_kb"), 10000) << "a GL context and a world take megabytes";

    // 30 frames from sunrise are all day frames; every 4th is profiled.
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

    // The same 30 frames through the game's own main loop, its input sent as
    // X events: every frame after the first is timed, and the vehicle turns
    // as in the scripted run, one frame's turn (0.25 degrees) less.
    const size_t mainLoop = text.find("\"main_loop\": {");
    ASSERT_NE(mainLoop, std::string::npos);
    EXPECT_EQ(numberAfter(text, "frames", mainLoop), 29);
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
    EXPECT_GT(numberAfter(text, "frames", text.find("\"client_arrays_day\"")), 15);
    EXPECT_GT(numberAfter(text, "client_arrays_terrain_ms"), 0);

    EXPECT_GE(numberAfter(text, "game_code_per_frame"), 0);
    EXPECT_NE(text.find("\"ratios\""), std::string::npos);
    EXPECT_NE(text.find("\"drift\": null"), std::string::npos);
}
