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
    // Pictures a second apart are compared until the light has settled so.
    game.key("x");
    game.key("1");
    game.x.movePointer(game.window, 512, 500);
    // How much the picture changes over a measured second; last is its end.
    Screenshot last;
    auto changeOverASecond = [&] {
        const Screenshot before = game.shot();
        pause(1000);
        return meanChange(before, last = game.shot(), 100, 768);
    };
    double idleChange = 100;
    waitUntil([&] { return (idleChange = changeOverASecond()) < 1.0; }, 60000);
    const double moved = 3 * idleChange + 3;  // a change the light alone does not make

    // Hold the button and drag up 200 pixels: 0.01 units/ms faster.
    game.x.pressButton(1);
    for (int y = 480; y >= 300; y -= 20) game.x.movePointer(game.window, 512, y);
    const Screenshot start = game.shot();
    Screenshot driven;
    EXPECT_TRUE(game.waitForPicture([&](const Screenshot& s) { return meanChange(start, s, 100, 768) > moved; }, driven))
        << "holding the button did not move the view";
    game.keep(driven, "driven");

    // Drag back down 260 pixels: the speed falls to zero and the view stands.
    for (int y = 320; y <= 560; y += 20) game.x.movePointer(game.window, 512, y);
    EXPECT_TRUE(waitUntil([&] { return changeOverASecond() < moved; })) << "the view did not stand still";
    const Screenshot stillStopped = last;

    // Dragging left turns the vehicle, and with it the driver's view.
    for (int x = 492; x >= 352; x -= 20) game.x.movePointer(game.window, x, 560);
    Screenshot turned;
    EXPECT_TRUE(
        game.waitForPicture([&](const Screenshot& s) { return meanChange(stillStopped, s, 100, 768) > moved; }, turned))
        << "dragging sideways did not turn the view";
    game.x.releaseButton(1);
    game.keep(turned, "turned");

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
