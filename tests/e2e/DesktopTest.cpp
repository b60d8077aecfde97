// The real programs on a desktop as players have them: a window that is
// hidden and shown again, keys held down, and a window made another size.
#include <gtest/gtest.h>

#include <chrono>
#include <tuple>
#include <thread>

#include "menu/MenuLayout.h"
#include "support/GeneratedAssets.h"
#include "support/PrivateDisplay.h"
#include "support/Programs.h"
#include "support/RunningProgram.h"

namespace {

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

const std::string brellowPath = programPath("brellow");
const MenuButtonPlace& newGame = menuButtonPlaces[NewGame];

// Pixels of the rows 60 to 270 of a 320 x 300 window that are darker in one
// picture than in the other.
int darkerPixels(const Screenshot& darker, const Screenshot& than) {
    int count = 0;
    for (int y = 60; y < 270; ++y)
        for (int x = 0; x < 320; ++x) count += brightness(darker.at(x, y)) + 15 < brightness(than.at(x, y));
    return count;
}

// A key let go of while the window is hidden or without the keyboard is
// taken as released: its next press acts.
TEST(Desktop, AHiddenGameWaitsWithoutProcessorTimeAndGoesOnWhenShown) {
    RunningProgram game(brellowPath, generatedAssetsDir(), {"BRELLOW_SEED=18"});
    ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();
    game.x.movePointer(game.window, 600, 300);
    Screenshot shot;
    game.x.keyDown("s");
    ASSERT_TRUE(game.waitForPicture(showsOverlay, shot)) << "the overlay never showed";
    game.x.unmapWindow(game.window);
    ASSERT_TRUE(game.waitUntilIdle()) << "the hidden game never went idle";
    const double before = game.process.cpuSeconds();
    pause(2000);
    EXPECT_LT(game.process.cpuSeconds() - before, 0.25) << "seconds of processor time in 2 s hidden";
    game.x.keyUp("s");
    game.x.mapWindow(game.window);
    ASSERT_TRUE(game.waitForFirstFrame()) << "no frame after the window came back";
    auto withoutOverlay = [](const Screenshot& s) { return !showsOverlay(s); };
    game.key("s");
    EXPECT_TRUE(game.waitForPicture(withoutOverlay, shot)) << "'s' let go of while hidden did not act again";

    game.x.keyDown("s");
    ASSERT_TRUE(game.waitForPicture(showsOverlay, shot)) << "the overlay never showed again";
    game.x.takeKeyboard();
    game.x.keyUp("s");
    game.x.giveBackKeyboard();
    game.key("s");
    EXPECT_TRUE(game.waitForPicture(withoutOverlay, shot)) << "'s' let go of without the keyboard did not act again";
    EXPECT_TRUE(game.endsOnKey("q")) << game.process.exitStatus();
}

// A key held down repeats; each press acts once, however long it is held.
TEST(Desktop, AHeldKeyActsOnceAndAKeyHeldFromTheGameDoesNotReachTheMenu) {
    {
        RunningProgram game(brellowPath, generatedAssetsDir(), {"BRELLOW_SEED=18"});
        ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();
        game.x.movePointer(game.window, 600, 300);
        game.x.keyDown("s");
        // Counted from the first frame that shows the overlay, however long a
        // slow build takes to draw it.
        Screenshot first;
        ASSERT_TRUE(game.waitForPicture(showsOverlay, first)) << "the overlay never showed while 's' was held";
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
    pause(800);  // the server repeats the key meanwhile
    menu.x.keyUp("q");
    // The menu is back once it has loaded its background a second time. The
    // pointer then goes onto New Game: once its highlight shows, the menu has
    // read every event sent before, the held 'q' among them.
    auto menusShown = [&] {
        int count = 0;
        for (const std::string& line : menu.process.outputLines())
            count += line.find(menuBackgroundPicture) != std::string::npos;
        return count;
    };
    ASSERT_TRUE(waitUntil([&] { return menusShown() == 2 || !menu.process.running(); })) << "no menu after the game";
    Screenshot plain, highlighted;
    ASSERT_TRUE(menu.waitForPicture([](const Screenshot& s) { return brightness(s) > 5; }, plain));
    const int buttonLeft = newGame.left + 10, buttonTop = 768 - newGame.bottom - 30;
    auto buttonBrightness = [&](const Screenshot& s) {
        return brightness(s.mean(buttonLeft, buttonTop, buttonLeft + 20, buttonTop + 20));
    };
    menu.x.movePointer(menu.window, buttonLeft + 10, buttonTop + 10);
    EXPECT_TRUE(menu.waitForPicture(
        [&](const Screenshot& s) { return std::abs(buttonBrightness(s) - buttonBrightness(plain)) > 8; }, highlighted))
        << "New Game was not highlighted under the pointer";
    EXPECT_TRUE(menu.process.running()) << "the held 'q' chose Exit on the menu";
    EXPECT_TRUE(menu.endsOnKey("Escape")) << menu.process.exitStatus();
}

// Made smaller than the picture, the window shows all of it, scaled to fit
// with its shape kept and black bars beside it, shadows and all; and the
// pointer finds the menu's buttons where they are drawn.
TEST(Desktop, AResizedWindowShowsTheWholePictureScaledWithBlackBars) {
    RunningProgram game(brellowPath, generatedAssetsDir(), {"BRELLOW_SEED=18"});
    ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();
    // By day, the sun well up: it lights the ground below the horizon.
    Screenshot day;
    ASSERT_TRUE(game.waitForPicture([](const Screenshot& s) { return brightness(s.mean(0, 168, 1024, 768)) > 60; },
                                    day, 60000))
        << "no daylight";

    // 320 x 300: the picture 320 x 240, 30 rows of black above and below.
    game.x.resizeWindow(game.window, 320, 300);
    auto blackBars = [](const Screenshot& s) {
        return s.width == 320 && s.height == 300 && brightness(s.mean(0, 0, 320, 28)) < 2 &&
               brightness(s.mean(0, 272, 320, 300)) < 2;
    };
    Screenshot small;
    ASSERT_TRUE(game.waitForPicture(blackBars, small)) << "no black bars above and below the scaled picture";
    game.keep(small, "resized");
    // The HUD panel, 10 to 118 across and 10 to 56 down the picture, scaled.
    EXPECT_GT(brightness(small.mean(4, 34, 36, 46)), 100) << "the HUD panel is not where the scaled picture has it";
    EXPECT_LT(brightness(small.mean(4, 56, 36, 70)), brightness(small.mean(4, 34, 36, 46)) - 40);
    // The shadow pass fits its tiles into the small window: the terrain is
    // darker under the objects with shadows on than off.
    game.key("x");
    Screenshot unshadowed, shadowed;
    ASSERT_TRUE(game.waitForPicture([&](const Screenshot& s) { return darkerPixels(small, s) > 40; }, unshadowed))
        << "switching the shadows off lightened nothing in the small window";
    game.key("x");
    EXPECT_TRUE(game.waitForPicture([&](const Screenshot& s) { return darkerPixels(s, unshadowed) > 40; }, shadowed))
        << "no shadows in the small window";
    ASSERT_TRUE(game.endsOnKey("q")) << game.process.exitStatus();

    // The menu at half size: New Game's button is clicked where it shows.
    RunningProgram menu(programPath("brellow-menu"), generatedAssetsDir());
    ASSERT_TRUE(menu.waitForFirstFrame()) << menu.process.standardError();
    menu.x.resizeWindow(menu.window, 512, 384);
    Screenshot halfSize;
    ASSERT_TRUE(menu.waitForPicture([](const Screenshot& s) { return s.width == 512 && brightness(s) > 5; }, halfSize));
    menu.click((newGame.left + 40) / 2, (768 - newGame.bottom - 20) / 2);
    Screenshot inGame;
    EXPECT_TRUE(menu.waitForPicture(
        [](const Screenshot& s) { return brightness(s.mean(6, 6, 55, 27)) > 120; }, inGame, 20000))
        << "clicking the scaled button did not start a game";
    menu.key("Escape");
}

// On a screen too small for the picture the menu's window opens as large as
// fits, of the picture's shape, wholly on the screen: its Exit button can be
// clicked. On a wide laptop screen it keeps its size and moves up.
TEST(Desktop, OnASmallScreenTheWindowOpensAsLargeAsFitsWhollyOnTheScreen) {
    const MenuButtonPlace& exit = menuButtonPlaces[Exit];
    const struct { const char* screen; int x, y, width, height; } cases[] = {
        {"800x600x24", 0, 0, 800, 600}, {"1366x768x24", 100, 0, 1024, 768}};
    for (const auto& c : cases) {
        RunningProgram menu(programPath("brellow-menu"), generatedAssetsDir(), {"DISPLAY=" + startVirtualDisplay(c.screen)});
        ASSERT_TRUE(menu.waitForFirstFrame()) << menu.process.standardError();
        int x = 0, y = 0, width = 0, height = 0;
        menu.x.position(menu.window, x, y);
        menu.x.size(menu.window, width, height);
        EXPECT_EQ(std::tuple(x, y, width, height), std::tuple(c.x, c.y, c.width, c.height)) << c.screen;
        menu.click((exit.left + 40) * width / 1024, (768 - exit.bottom - 20) * height / 768);
        EXPECT_TRUE(waitUntil([&] { return !menu.process.running(); })) << c.screen << ": Exit could not be clicked";
        EXPECT_EQ(menu.process.exitStatus(), 0) << c.screen;
    }
}

}  // namespace
