// gtest first: X11's headers define names (None, Bool) gtest uses.
#include <gtest/gtest.h>

#include "support/RunningProgram.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <thread>

int brightness(const Screenshot::Pixel& p) { return (p.r + p.g + p.b) / 3; }
int brightness(const Screenshot& shot) { return brightness(shot.mean(0, 0, shot.width, shot.height)); }

bool showsGameFrame(const Screenshot& shot) { return brightness(shot.mean(12, 12, 110, 54)) > 120; }

int overlayPixels(const Screenshot& shot, bool (*passes)(int brightness)) {
    int count = 0;
    for (int y = overlayTop; y < overlayTop + overlaySize; ++y)
        for (int col = overlayLeft; col < overlayLeft + overlaySize; ++col) count += passes(brightness(shot.at(col, y)));
    return count;
}

bool showsOverlay(const Screenshot& shot) { return brightness(shot.mean(24, 768 - 144, 144, 768 - 24)) > 100; }

bool showsShadowsInOverlay(const Screenshot& shot) {
    return overlayPixels(shot, [](int b) { return b < 100; }) > 60 &&
           overlayPixels(shot, [](int b) { return b >= 250; }) >= overlaySize * overlaySize * 8 / 10;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return true;
}

namespace {
// The display a DISPLAY=name setting starts the program on; empty for the test's own.
std::string displayIn(const std::vector<std::string>& environment) {
    for (const std::string& setting : environment)
        if (setting.rfind("DISPLAY=", 0) == 0) return setting.substr(8);
    return "";
}
}  // namespace

RunningProgram::RunningProgram(const std::string& program, const std::string& workDir,
                               const std::vector<std::string>& environment, GameProcess::Output output)
    : process({program}, workDir, environment, output), x(displayIn(environment)), window(x.waitForWindow(program)) {}

bool RunningProgram::waitForPicture(const std::function<bool(const Screenshot&)>& picture, Screenshot& shot,
                                    int timeoutMs) {
    bool seen = false;
    waitUntil(
        [&] {
            try {
                seen = window && picture(shot = x.capture(window));
            } catch (const std::runtime_error&) {
                return true;  // the window has gone
            }
            return seen || !window || !process.running();
        },
        timeoutMs);
    return seen;
}

bool RunningProgram::waitForFirstFrame(int timeoutMs) {
    Screenshot shot;
    return waitForPicture(
        [](const Screenshot& s) { return showsGameFrame(s) || brightness(s) > 20; }, shot, timeoutMs);
}

bool RunningProgram::waitUntilIdle(int timeoutMs) {
    return waitUntil(
        [&] {
            const double before = process.cpuSeconds();
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            return process.cpuSeconds() - before < 0.05;
        },
        timeoutMs);
}

bool RunningProgram::endsOnKey(const std::string& name) {
    key(name);
    return process.waitForExit(10000) && process.exitStatus() == 0;
}

void RunningProgram::click(int atX, int atY) {
    // The program reads the motion before the press: X delivers them in order.
    x.movePointer(window, atX, atY);
    x.pressButton(1);
    x.releaseButton(1);
}

RunningProgram::~RunningProgram() {
    if (kept_.empty() || !::testing::Test::HasFailure()) return;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder = std::filesystem::absolute("kept-pictures/" + std::string(test->test_suite_name()) +
                                                         "." + test->name() + "-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    for (const auto& [name, picture] : kept_) picture.save(folder + "/" + name + ".bmp");
    std::printf("Pictures kept in %s\n", folder.c_str());
}
