// gtest first: X11's headers define names (None, Bool) gtest uses.
#include <gtest/gtest.h>

#include "support/RunningProgram.h"

#include <chrono>
#include <stdexcept>
#include <thread>

int brightness(const Screenshot::Pixel& p) { return (p.r + p.g + p.b) / 3; }
int brightness(const Screenshot& shot) { return brightness(shot.mean(0, 0, shot.width, shot.height)); }

bool showsGameFrame(const Screenshot& shot) { return brightness(shot.mean(12, 12, 110, 54)) > 120; }

RunningProgram::RunningProgram(const std::string& program, const std::string& workDir,
                               const std::vector<std::string>& environment, GameProcess::Output output)
    : process({program}, workDir, environment, output), window(x.waitForWindow(program)) {}

bool RunningProgram::waitForPicture(const std::function<bool(const Screenshot&)>& picture, Screenshot& shot,
                                    int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (window && std::chrono::steady_clock::now() < deadline) {
        try {
            shot = x.capture(window);
        } catch (const std::runtime_error&) {
            return false;  // the window has gone
        }
        if (picture(shot)) return true;
        if (!process.running()) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

bool RunningProgram::waitForFirstFrame(int timeoutMs) {
    Screenshot shot;
    return waitForPicture(
        [](const Screenshot& s) { return showsGameFrame(s) || brightness(s) > 20; }, shot, timeoutMs);
}

bool RunningProgram::endsOnKey(const std::string& name) {
    key(name);
    return process.waitForExit(10000) && process.exitStatus() == 0;
}

void RunningProgram::click(int atX, int atY) {
    x.movePointer(window, atX, atY);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    x.pressButton(1);
    x.releaseButton(1);
}

void RunningProgram::keep(const Screenshot& picture, const std::string& name) {
    picture.save(::testing::TempDir() + "brellow-" + name + ".bmp");
}
