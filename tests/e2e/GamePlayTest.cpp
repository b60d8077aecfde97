// A whole game as a player sees it: the real brellow in the virtual display,
// real pointer and key events, screenshots read back and checked.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/GeneratedAssets.h"
#include "support/Programs.h"
#include "support/RunningProgram.h"

namespace {

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// How much the picture's structure changed between two shots, rows y0 to y1:
// the mean change per pixel, in percent, of each pixel's brightness relative
// to its shot's mean. The sun's growing light brightens the picture as a
// whole and hardly counts; a moving view counts fully.
double meanChange(const Screenshot& a, const Screenshot& b, int y0, int y1) {
    auto meanBrightness = [&](const Screenshot& shot) {
        double sum = 1e-9;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < shot.width; ++x) sum += brightness(shot.at(x, y));
        return sum / ((y1 - y0) * shot.width);
    };
    double meanA = meanBrightness(a), meanB = meanBrightness(b);
    double change = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < a.width; ++x)
            change += std::abs(brightness(a.at(x, y)) / meanA - brightness(b.at(x, y)) / meanB);
    return 100 * change / ((y1 - y0) * a.width);
}

TEST(GamePlay, HoldingTheLeftButtonDrivesAndDraggingSidewaysTurns) {
    // A world whose trees and orbs all stand clear of the vehicle's start and
    // of the way ahead of it, so the view is not blocked by chance.
    RunningProgram game(programPath("brellow"), generatedAssetsDir(), {"BRELLOW_SEED=18"});
    ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();
    // Around noon the light hardly changes; without the shadows, which swing
    // round with the sun, the picture then changes only when the view moves.
    game.key("x");
    game.key("1");
    game.x.movePointer(game.window, 512, 500);
    pause(16000);
    Screenshot still = game.shot();
    pause(1000);
    double idleChange = meanChange(still, game.shot(), 100, 768);

    // Hold the button and drag up 200 pixels: 0.01 units/ms faster.
    game.x.pressButton(1);
    for (int y = 480; y >= 300; y -= 20) game.x.movePointer(game.window, 512, y);
    Screenshot start = game.shot();
    pause(1000);
    Screenshot driven = game.shot();
    RunningProgram::keep(driven, "driven");
    EXPECT_GT(meanChange(start, driven, 100, 768), 3 * idleChange + 3)
        << "holding the button did not move the view";

    // Drag back down 260 pixels: the speed falls to zero and the view stands.
    for (int y = 320; y <= 560; y += 20) game.x.movePointer(game.window, 512, y);
    pause(300);
    Screenshot stopped = game.shot();
    pause(1000);
    Screenshot stillStopped = game.shot();
    EXPECT_LT(meanChange(stopped, stillStopped, 100, 768), 3 * idleChange + 3);

    // Dragging left turns the vehicle, and with it the driver's view.
    for (int x = 492; x >= 352; x -= 20) game.x.movePointer(game.window, x, 560);
    pause(500);
    Screenshot turned = game.shot();
    game.x.releaseButton(1);
    RunningProgram::keep(turned, "turned");
    EXPECT_GT(meanChange(stillStopped, turned, 100, 768), 3 * idleChange + 3);

    ASSERT_TRUE(game.endsOnKey("Escape")) << game.process.exitStatus();
    EXPECT_EQ(game.process.standardError(), "");

    // The console shows every progress line of a new game, in order.
    std::vector<std::string> expected = {
        "Brellow 4 initialized.  Hi.",
        " *** LOADING NEW TEXTURE Grass.bmp",
        " *** LOADING NEW TEXTURE Sky.bmp",
        " *** LOADING NEW TEXTURE Moon.bmp",
        " *** LOADING NEW MODEL HumVee.obj",
        " *** LOADING NEW TEXTURE Camo.bmp",
        " *** LOADING NEW MODEL Tree.obj",
        " *** LOADING NEW TEXTURE Tree.bmp",
    };
    for (int i = 1; i < 36; ++i) expected.push_back(" *** REUSING OLD MODEL Tree.obj");
    expected.push_back(" *** LOADING NEW MODEL _internal_sphere");
    for (int i = 1; i < 24; ++i) expected.push_back(" *** REUSING OLD MODEL _internal_sphere");
    EXPECT_EQ(game.process.outputLines(), expected);
}

}  // namespace
