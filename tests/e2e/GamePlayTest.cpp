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

// Pixels in a rectangle brighter than a threshold.
int brightPixels(const Screenshot& shot, int x0, int y0, int x1, int y1, int threshold) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) count += brightness(shot.at(x, y)) > threshold;
    return count;
}

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

// A world whose trees and orbs all stand clear of the vehicle's start and of
// the way ahead of it, so the views below are not blocked by chance.
const std::string clearWorld = "BRELLOW_SEED=18";

struct PlayedGame : RunningProgram {
    PlayedGame() : RunningProgram(programPath("brellow"), generatedAssetsDir(), {clearWorld}) {}
};

TEST(GamePlay, NightTurnsToDayWithTheViewsAndHeadlightsAsTheKeysSay) {
    PlayedGame game;
    ASSERT_NE(game.window, 0u) << game.process.standardError();
    ASSERT_TRUE(game.waitForFirstFrame());

    // Before the sun has risen above 0.2 the sky is dark with stars, and the
    // moon stands straight ahead just over the top of the screen.
    Screenshot dawn = game.shot();
    RunningProgram::keep(dawn, "dawn");
    EXPECT_LT(brightness(dawn.mean(700, 0, 1000, 20)), 40);
    EXPECT_GT(brightPixels(dawn, 0, 0, 1024, 30, 100) - brightPixels(dawn, 380, 0, 650, 30, 100), 5)
        << "no stars";
    EXPECT_GT(brightPixels(dawn, 380, 0, 650, 90, 100), 1500) << "no moon";
    // The HUD panel at the top left: white at 75 % with black writing.
    Screenshot::Pixel panel = dawn.at(14, 50);
    EXPECT_GT(panel.r, 170);
    EXPECT_LT(brightness(dawn.at(160, 30)), 60) << "the panel's tail fades out";
    int writing = 0;
    for (int y = 14; y < 54; ++y)
        for (int x = 14; x < 110; ++x) writing += brightness(dawn.at(x, y)) < 60;
    EXPECT_GT(writing, 40) << "no score or frame rate written on the panel";

    // '1': from the driver's seat the moon is ahead above the horizon, and
    // the vehicle itself is not drawn around the eye.
    game.key("1");
    pause(400);
    Screenshot ride = game.shot();
    RunningProgram::keep(ride, "ride");
    int skyLevel = brightness(ride.mean(100, 60, 224, 260));
    EXPECT_GT(brightPixels(ride, 400, 60, 624, 260, skyLevel + 25), 2000) << "no moon ahead";
    Screenshot::Pixel ground = ride.mean(400, 620, 624, 760);
    EXPECT_LT(brightness(ground), 40) << "the view is blocked by something bright";

    // 'h' lights the dark ground ahead.
    game.key("h");
    pause(400);
    Screenshot lit = game.shot();
    RunningProgram::keep(lit, "headlights");
    EXPECT_GT(brightness(lit.mean(400, 620, 624, 760)), brightness(ground) + 30);

    // '2': back to the chase view from above: the lit ground ahead of the
    // vehicle moves up from the bottom of the screen to its middle.
    game.key("2");
    pause(400);
    Screenshot chase = game.shot();
    RunningProgram::keep(chase, "chase");
    EXPECT_LT(brightness(chase.mean(400, 680, 624, 760)), brightness(lit.mean(400, 680, 624, 760)) - 20);

    // The tinted morning sky appears as the sun rises.
    pause(4000);
    Screenshot morning = game.shot();
    RunningProgram::keep(morning, "morning");
    Screenshot::Pixel sky = morning.mean(700, 0, 1000, 20);
    EXPECT_GT(sky.r, 60);
    EXPECT_GT(sky.r, sky.g + 15) << "the morning sky is tinted red";

    game.key("q");
    ASSERT_TRUE(game.process.waitForExit(10000));
    EXPECT_EQ(game.process.exitStatus(), 0);
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

TEST(GamePlay, HoldingTheLeftButtonDrivesAndDraggingSidewaysTurns) {
    PlayedGame game;
    ASSERT_NE(game.window, 0u) << game.process.standardError();
    ASSERT_TRUE(game.waitForFirstFrame());
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

    game.key("Escape");
    ASSERT_TRUE(game.process.waitForExit(10000));
    EXPECT_EQ(game.process.exitStatus(), 0);
}

}  // namespace
