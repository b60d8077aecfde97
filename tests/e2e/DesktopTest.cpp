// The real programs on a desktop as players have them: a window that is
// hidden and shown again, keys held down, and a window made another size.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "menu/MenuLayout.h"
#include "support/GeneratedAssets.h"
#include "support/Programs.h"
#include "support/RunningProgram.h"

namespace {

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

const std::string brellowPath = programPath("brellow");
const MenuButtonPlace& newGame = menuButtonPlaces[NewGame];

// The shadow overlay of a 128 x 128 terrain, mostly white (lit), in a window
// showing the whole 1024 x 768 picture: the lower-left corner at (20, 20).
// The ground there is dark at dawn.
bool showsOverlay(const Screenshot& shot) { return brightness(shot.mean(24, 768 - 144, 144, 768 - 24)) > 100; }

TEST(Desktop, AHiddenGameWaitsWithoutProcessorTimeAndGoesOnWhenShown) {
    RunningProgram game(brellowPath, generatedAssetsDir(), {"BRELLOW_SEED=18"});
    ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();
    game.x.unmapWindow(game.window);
    pause(500);
    const double before = game.process.cpuSeconds();
    pause(2000);
    EXPECT_LT(game.process.cpuSeconds() - before, 0.25) << "seconds of processor time in 2 s hidden";
    game.x.mapWindow(game.window);
    ASSERT_TRUE(game.waitForFirstFrame()) << "no frame after the window came back";
    EXPECT_TRUE(game.endsOnKey("q")) << game.process.exitStatus();
}

// A key held down repeats; each press acts once, however long it is held.
TEST(Desktop, AHeldKeyActsOnceAndAKeyHeldFromTheGameDoesNotReachTheMenu) {
    {
        RunningProgram game(brellowPath, generatedAssetsDir(), {"BRELLOW_SEED=18"});
        ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();
        game.x.movePointer(game.window, 600, 300);
        game.x.keyDown("s");
        int shown = 0, hidden = 0;
        for (int i = 0; i < 12; ++i) {
            pause(200);
            (showsOverlay(game.shot()) ? shown : hidden) += 1;
        }
        game.x.keyUp("s");
        EXPECT_EQ(hidden, 0) << "the overlay switched " << hidden << " times back while 's' was held";
        ASSERT_TRUE(game.endsOnKey("q")) << game.process.exitStatus();
    }
    // 'q' held in a game played from the menu ends the game, and only it.
    RunningProgram menu(programPath("brellow-menu"), generatedAssetsDir(), {"BRELLOW_SEED=18"});
    ASSERT_TRUE(menu.waitForFirstFrame()) << menu.process.standardError();
    menu.click(newGame.left + 40, 768 - newGame.bottom - 20);
    Screenshot shot;
    ASSERT_TRUE(menu.waitForPicture(showsGameFrame, shot)) << "no game from the menu";
    menu.x.keyDown("q");
    pause(800);
    menu.x.keyUp("q");
    pause(1500);
    EXPECT_TRUE(menu.process.running()) << "the held 'q' chose Exit on the menu";
    EXPECT_TRUE(menu.endsOnKey("Escape")) << menu.process.exitStatus();
}

// Made smaller than the picture, the window shows all of it, scaled to fit
// with its shape kept and black bars beside it, shadows and all; and the
// pointer finds the menu's buttons where they are drawn.
TEST(Desktop, AResizedWindowShowsTheWholePictureScaledWithBlackBars) {
    RunningProgram game(brellowPath, generatedAssetsDir(), {"BRELLOW_SEED=18"});
    ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();
    // 320 x 300: the picture 320 x 240, 30 rows of black above and below.
    game.x.resizeWindow(game.window, 320, 300);
    pause(1000);
    const Screenshot small = game.shot();
    RunningProgram::keep(small, "resized");
    ASSERT_EQ(small.width, 320);
    EXPECT_LT(brightness(small.mean(0, 0, 320, 28)), 2) << "no black bar above";
    EXPECT_LT(brightness(small.mean(0, 272, 320, 300)), 2) << "no black bar below";
    // The HUD panel, 10 to 118 across and 10 to 56 down the picture, scaled.
    EXPECT_GT(brightness(small.mean(4, 34, 36, 46)), 100) << "the HUD panel is not where the scaled picture has it";
    EXPECT_LT(brightness(small.mean(4, 56, 36, 70)), brightness(small.mean(4, 34, 36, 46)) - 40);
    // By day the shadow pass fits its tiles into the small window: the
    // terrain is darker under the objects with shadows on than off.
    pause(7000);
    game.key("x");
    pause(500);
    const Screenshot unshadowed = game.shot();
    game.key("x");
    pause(500);
    const Screenshot shadowed = game.shot();
    int darkened = 0;
    for (int y = 60; y < 270; ++y)
        for (int x = 0; x < 320; ++x) darkened += brightness(shadowed.at(x, y)) + 15 < brightness(unshadowed.at(x, y));
    EXPECT_GT(darkened, 40) << "no shadows in the small window";
    ASSERT_TRUE(game.endsOnKey("q")) << game.process.exitStatus();

    // The menu at half size: New Game's button is clicked where it shows.
    RunningProgram menu(programPath("brellow-menu"), generatedAssetsDir());
    ASSERT_TRUE(menu.waitForFirstFrame()) << menu.process.standardError();
    menu.x.resizeWindow(menu.window, 512, 384);
    pause(800);
    menu.click((newGame.left + 40) / 2, (768 - newGame.bottom - 20) / 2);
    Screenshot inGame;
    EXPECT_TRUE(menu.waitForPicture(
        [](const Screenshot& s) { return brightness(s.mean(6, 6, 55, 27)) > 120; }, inGame, 20000))
        << "clicking the scaled button did not start a game";
    menu.key("Escape");
}

}  // namespace
