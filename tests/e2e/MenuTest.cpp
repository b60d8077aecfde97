// The real brellow-menu in the virtual display: the player points, clicks and
// presses keys through XTest, and the window's pictures and the program's
// console lines show what happened.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "support/GeneratedAssets.h"
#include "support/Programs.h"
#include "support/RunningProgram.h"
#include "menu/MenuLayout.h"
#include "platform/GameWindow.h"

namespace {

const std::string menuPath = programPath("brellow-menu");

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

using Clock = std::chrono::steady_clock;
int msSince(Clock::time_point start) {
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// Mean colour difference per channel, 0 to 255, of blocks of block x block
// pixels compared by their mean colour. Blocks of 32 weigh small things (the
// randomly placed trees and orbs, the frame-rate text) little against where
// the landscape lies; blocks of 1 compare pixel by pixel.
double difference(const Screenshot& a, const Screenshot& b, int block) {
    double total = 0;
    int count = 0;
    for (int y = 0; y + block <= a.height; y += block)
        for (int x = 0; x + block <= a.width; x += block) {
            Screenshot::Pixel p = a.mean(x, y, x + block, y + block);
            Screenshot::Pixel q = b.mean(x, y, x + block, y + block);
            total += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
            ++count;
        }
    return count ? total / (3.0 * count) : 0;
}

struct MenuProgram : RunningProgram {
    MenuProgram() : RunningProgram(menuPath, generatedAssetsDir(), {"BRELLOW_SEED=18"}) {}

    bool waitForOutput(const std::function<bool()>& seen) {
        waitUntil([&] { return seen() || !process.running(); });
        return seen();
    }

    // Console lines of pictures and models loaded afresh: the menu's own
    // pictures, and everything else, which a game loads.
    int linesLoading(bool ofTheMenu) const {
        int count = 0;
        for (const std::string& line : process.outputLines()) {
            if (line.find("LOADING NEW") == std::string::npos) continue;
            bool isMenu = false;
            for (int k = 0; k < menuPictureCount; ++k) isMenu = isMenu || line.find(menuPicture(k)) != std::string::npos;
            if (isMenu == ofTheMenu) ++count;
        }
        return count;
    }

    // Waits for the menu to be shown for the shown-th time, each showing
    // loading all its pictures, and returns its picture (no button
    // highlighted until the pointer moves).
    bool waitForMenu(int shown, Screenshot& menu) {
        if (!waitForOutput([&] { return linesLoading(true) >= shown * menuPictureCount; })) return false;
        return waitForPicture([](const Screenshot& s) { return brightness(s) > 5; }, menu);
    }

    // Waits for a game to load and be drawn.
    bool waitForGame(const Screenshot& menu, Screenshot& game) {
        if (!waitForOutput([&] { return linesLoading(false) > 0; })) return false;
        return waitForPicture(
            [&](const Screenshot& s) { return brightness(s) > 5 && difference(s, menu, 32) > 10; }, game);
    }
};

TEST(MenuProgram, WaitsIdleAndAGameFadesInAndReturnsToTheMenuUntilEscape) {
    MenuProgram menu;
    Screenshot plain;
    ASSERT_TRUE(menu.waitForMenu(1, plain)) << menu.process.standardError();
    ASSERT_EQ(menu.process.outputLines().front(), "Brellow 4 initialized.  Hi.");
    // Idle once it has shown itself: measured over 2 s from the moment it settles.
    ASSERT_TRUE(menu.waitUntilIdle()) << "the menu never went idle";
    const double before = menu.process.cpuSeconds();
    pause(2000);
    EXPECT_LT(menu.process.cpuSeconds() - before, 0.2) << "seconds of processor time in 2 s of waiting";

    // 20 pixels inside the button's lower-left corner.
    menu.click(menuButtonPlaces[NewGame].left + 20, windowHeight - menuButtonPlaces[NewGame].bottom - 20);
    // The fade darkens the menu and ends on a black frame, which stays while
    // the world is built. (The game's own first frames, before sunrise, are
    // dark too, but its score panel keeps them from being black.)
    Clock::time_point clicked = Clock::now();
    double darkest = 255, menuBrightness = brightness(plain);
    bool darkening = false;
    while (msSince(clicked) < 5000 && darkest >= 1) {
        double now = brightness(menu.shot());
        darkening = darkening || (now > 1 && now < menuBrightness * 0.9);
        darkest = std::min(darkest, now);
    }
    EXPECT_LT(darkest, 1.0) << "no black frame after the click";
    if (!darkening) std::printf("note: the fade ran too fast to catch a part-dark frame\n");

    Screenshot game;
    ASSERT_TRUE(menu.waitForGame(plain, game)) << menu.process.standardError();
    menu.keep(game, "menu-game");

    menu.key("q");
    Screenshot again;
    ASSERT_TRUE(menu.waitForMenu(2, again)) << menu.process.standardError();
    EXPECT_TRUE(menu.waitForPicture([&](const Screenshot& s) { return difference(s, plain, 1) < 0.5; }, again, 3000))
        << "the menu did not come back as it was";
    // Leaving the menu let go of all seven pictures, so each was read afresh.
    EXPECT_EQ(menu.linesLoading(true), 2 * 7);

    const int gameLines = menu.linesLoading(false);
    ASSERT_TRUE(menu.endsOnKey("Escape")) << menu.process.exitStatus();
    EXPECT_EQ(menu.linesLoading(false), gameLines) << "Exit must not start a game";
    EXPECT_EQ(menu.process.standardError(), "");
}

}  // namespace
