// The real brellow-menu in the virtual display: the player points, clicks and
// presses keys through XTest, and the window's pictures and the program's
// console lines show what happened.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/GeneratedAssets.h"
#include "support/Programs.h"
#include "support/RunningProgram.h"
#include "image/Bmp.h"
#include "menu/MenuLayout.h"
#include "platform/GameWindow.h"

namespace {

const std::string menuPath = programPath("brellow-menu");


void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

using Clock = std::chrono::steady_clock;
int msSince(Clock::time_point start) {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// ---- Where the buttons are ------------------------------------------------

// A button's rectangle in window pixels, y from the top, [x0, x1) x [y0, y1).
struct Area {
    int x0, y0, x1, y1;
    int centreX() const { return (x0 + x1) / 2; }
    int centreY() const { return (y0 + y1) / 2; }
};

// The rectangle of a button: its normal picture's size at its place.
Area buttonArea(MenuChoice choice) {
    const MenuButtonPlace& place = menuButtonPlaces[choice];
    Image image;
    std::string path = generatedAssetsDir() + "/textures/" + place.normalPicture;
    if (!readBmp(path.c_str(), image)) return {0, 0, 0, 0};
    int width = static_cast<int>(image.width), height = static_cast<int>(image.height);
    return {place.left, windowHeight - place.bottom - height, place.left + width, windowHeight - place.bottom};
}

Area newGameArea() { return buttonArea(NewGame); }
Area resumeGameArea() { return buttonArea(ResumeGame); }
Area exitArea() { return buttonArea(Exit); }

// ---- Comparing pictures ---------------------------------------------------

// Mean brightness (0 to 255) of an area.
double brightness(const Screenshot& shot, const Area& area) {
    Screenshot::Pixel p = shot.mean(area.x0, area.y0, area.x1, area.y1);
    return (p.r + p.g + p.b) / 3.0;
}

double brightness(const Screenshot& shot) { return brightness(shot, {0, 0, shot.width, shot.height}); }

// Mean colour difference of an area, per channel, 0 to 255.
double difference(const Screenshot& a, const Screenshot& b, const Area& area) {
    long total = 0, count = 0;
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            Screenshot::Pixel p = a.at(x, y), q = b.at(x, y);
            total += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
            ++count;
        }
    return count ? total / (3.0 * count) : 0;
}

// Difference of the pictures' layout: blocks of 32 x 32 pixels are compared
// by their mean colour, so small things (the randomly placed trees and orbs,
// the frame-rate text) weigh little against where the landscape lies.
double layoutDifference(const Screenshot& a, const Screenshot& b) {
    const int block = 32;
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

// Where the landscape meets the sky, per column: the first row from the top
// that starts four rows of ground (green above red and blue; the sky is
// purple to pink by day). Columns under the score panel are skipped.
std::vector<int> horizon(const Screenshot& shot) {
    auto ground = [&](int x, int y) {
        Screenshot::Pixel p = shot.at(x, y);
        return p.g > p.r && p.g >= p.b;
    };
    std::vector<int> rows;
    for (int x = 200; x < shot.width; x += 4) {
        int found = shot.height;
        for (int y = 0; y + 4 <= shot.height; ++y)
            if (ground(x, y) && ground(x, y + 1) && ground(x, y + 2) && ground(x, y + 3)) {
                found = y;
                break;
            }
        rows.push_back(found);
    }
    return rows;
}

// The horizon row below which the given share of columns have theirs;
// trees in front hide the horizon in some columns, never in most.
int horizonPercentile(const Screenshot& shot, double share) {
    std::vector<int> rows = horizon(shot);
    size_t k = std::min(rows.size() - 1, static_cast<size_t>(share * rows.size()));
    std::nth_element(rows.begin(), rows.begin() + k, rows.end());
    return rows[k];
}

// Median over the columns of how far two horizons lie apart, in pixels; the
// median ignores the few columns where a tree or orb stands on the horizon.
double medianHorizonGap(const Screenshot& a, const Screenshot& b) {
    std::vector<int> ra = horizon(a), rb = horizon(b), gaps;
    for (size_t i = 0; i < ra.size(); ++i) gaps.push_back(std::abs(ra[i] - rb[i]));
    std::nth_element(gaps.begin(), gaps.begin() + gaps.size() / 2, gaps.end());
    return gaps[gaps.size() / 2];
}

// ---- The running program --------------------------------------------------

struct MenuProgram : RunningProgram {
    // Every game of the process is laid out alike (trees and orbs clear of the
    // start), so pictures of different games differ only by where the vehicle
    // stands and how it looks.
    MenuProgram() : RunningProgram(menuPath, generatedAssetsDir(), {"BRELLOW_SEED=18"}) {}

    Screenshot capture() { return shot(); }

    bool waitForOutput(const std::function<bool()>& seen, int timeoutMs = 20000) {
        Clock::time_point start = Clock::now();
        while (!seen()) {
            if (msSince(start) >= timeoutMs || !process.running()) return seen();
            pause(40);
        }
        return true;
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
    // The menu loads its background once per showing.
    int menusShown() const {
        int count = 0;
        for (const std::string& line : process.outputLines())
            if (line.find("LOADING NEW TEXTURE MenuBackground.bmp") != std::string::npos) ++count;
        return count;
    }
    int gameLoadLines() const { return linesLoading(false); }

    // Waits for the menu to be shown for the shown-th time and returns its
    // picture (no button highlighted until the pointer moves).
    bool waitForMenu(int shown, Screenshot& menu) {
        if (!waitForOutput([&] { return menusShown() >= shown; })) return false;
        return waitForPicture([](const Screenshot& s) { return brightness(s) > 5; }, menu);
    }

    void click(const Area& button) {
        x.movePointer(window, button.centreX(), button.centreY());
        pause(100);
        x.pressButton(1);
        x.releaseButton(1);
    }

    // Waits for a game to load (more load lines than before) and be drawn.
    bool waitForGame(int loadLinesBefore, const Screenshot& menu, Screenshot& game) {
        if (!waitForOutput([&] { return gameLoadLines() > loadLinesBefore; })) return false;
        return waitForPicture(
            [&](const Screenshot& s) {
                return brightness(s) > 5 && layoutDifference(s, menu) > 10;
            },
            game);
    }

    // Keeps a picture in /tmp for looking at, once the test has failed.
    void saveForLooking(const Screenshot& shot, const std::string& name) {
        if (testing::Test::HasFailure()) shot.save("/tmp/brellow-menu-e2e-" + name + ".bmp");
    }
};

TEST(MenuProgram, WaitsAlmostWithoutProcessorTimeAndEscapeExitsWithoutAGame) {
    MenuProgram menu;
    ASSERT_NE(menu.window, 0u) << menu.process.standardError();
    EXPECT_EQ(menu.x.title(menu.window), menuPath);
    Screenshot plain;
    ASSERT_TRUE(menu.waitForMenu(1, plain)) << menu.process.standardError();
    ASSERT_EQ(menu.process.outputLines().front(), "Brellow 4 initialized.  Hi.");
    const double before = menu.process.cpuSeconds();
    pause(2000);
    EXPECT_LT(menu.process.cpuSeconds() - before, 0.2) << "seconds of processor time in 2 s of waiting";
    menu.x.tapKey(menu.window, "Escape");
    ASSERT_TRUE(menu.process.waitForExit(10000));
    EXPECT_EQ(menu.process.exitStatus(), 0);
    EXPECT_EQ(menu.gameLoadLines(), 0) << "Exit must not start a game";
    EXPECT_EQ(menu.process.standardError(), "");
}

TEST(MenuProgram, NewGameFadesToBlackAndQuittingTheGameReturnsToTheMenu) {
    MenuProgram menu;
    ASSERT_NE(menu.window, 0u) << menu.process.standardError();
    Screenshot plain;
    ASSERT_TRUE(menu.waitForMenu(1, plain)) << menu.process.standardError();

    menu.click(newGameArea());
    // The fade darkens the menu and ends on a black frame, which stays while
    // the world is built. (The game's own first frames, before sunrise, are
    // dark too, but its score panel keeps them from being black.)
    Clock::time_point clicked = Clock::now();
    double darkest = 255;
    bool darkening = false;
    double menuBrightness = brightness(plain);
    while (msSince(clicked) < 5000 && darkest >= 1) {
        double now = brightness(menu.capture());
        darkening = darkening || (now > 1 && now < menuBrightness * 0.9);
        darkest = std::min(darkest, now);
    }
    EXPECT_LT(darkest, 1.0) << "no black frame after the click";
    if (!darkening) std::printf("note: the fade ran too fast to catch a part-dark frame\n");

    Screenshot game;
    ASSERT_TRUE(menu.waitForGame(0, plain, game)) << menu.process.standardError();
    menu.saveForLooking(game, "game");

    menu.x.tapKey(menu.window, "q");
    Screenshot again;
    ASSERT_TRUE(menu.waitForMenu(2, again)) << menu.process.standardError();
    EXPECT_TRUE(menu.waitForPicture(
        [&](const Screenshot& s) { return difference(s, plain, {0, 0, 1024, 768}) < 0.5; }, again,
        3000))
        << "the menu did not come back as it was";
    // Leaving the menu let go of all seven pictures, so each was read afresh.
    EXPECT_EQ(menu.linesLoading(true), 2 * 7);

    menu.x.tapKey(menu.window, "Escape");
    ASSERT_TRUE(menu.process.waitForExit(10000));
    EXPECT_EQ(menu.process.exitStatus(), 0);
}

// One game played to a fixed schedule, so that pictures of different games
// are taken at the same time of day.
// The first is taken 6 s after the game appeared, in the view the game
// opened with; then the view is switched and the other is taken at 6.5 s.
struct GameShots {
    Screenshot chase;  // the chase view
    Screenshot ride;   // the view from the driver's seat
};

constexpr int chaseShotMs = 6000;
constexpr int rideShotMs = 6500;

// Drives with the left button held, dragging up (faster) and left (turning).
void drive(MenuProgram& menu) {
    menu.x.movePointer(menu.window, 600, 600);
    menu.x.pressButton(1);
    for (int step = 1; step <= 20; ++step) {
        menu.x.movePointer(menu.window, 600 - 8 * step, 600 - 5 * step);
        pause(100);
    }
    pause(1000);
    menu.x.releaseButton(1);
}

// Plays the game just chosen from the menu. startsInRide: the game opens in
// the view from the driver's seat (a resumed ride view).
bool playScheduledGame(MenuProgram& menu, int loadLinesBefore, const Screenshot& plain,
                       bool startsInRide, bool driveFirst, GameShots& shots) {
    Screenshot first;
    if (!menu.waitForGame(loadLinesBefore, plain, first)) return false;
    Clock::time_point appeared = Clock::now();
    if (driveFirst) drive(menu);
    // The first shot in the view the game opened with, the second in the other.
    const char* secondKey = startsInRide ? "2" : "1";
    Screenshot& firstShot = startsInRide ? shots.ride : shots.chase;
    Screenshot& secondShot = startsInRide ? shots.chase : shots.ride;
    pause(std::max(0, chaseShotMs - msSince(appeared)));
    firstShot = menu.capture();
    menu.x.tapKey(menu.window, secondKey);
    pause(std::max(0, rideShotMs - msSince(appeared)));
    secondShot = menu.capture();
    menu.x.tapKey(menu.window, "q");
    return true;
}

TEST(MenuProgram, ResumeGamePutsTheVehicleBackWhereItWas) {
    MenuProgram menu;
    ASSERT_NE(menu.window, 0u) << menu.process.standardError();
    Screenshot plain;
    ASSERT_TRUE(menu.waitForMenu(1, plain)) << menu.process.standardError();

    // Before any game, Resume Game starts a new one. Drive away from the
    // start; the game is left in the ride view.
    GameShots driven;
    menu.click(resumeGameArea());
    ASSERT_TRUE(playScheduledGame(menu, 0, plain, false, true, driven))
        << menu.process.standardError();
    Screenshot again;
    ASSERT_TRUE(menu.waitForMenu(2, again));

    // Resumed: the ride view, where the vehicle was left.
    GameShots resumed;
    int loaded = menu.gameLoadLines();
    menu.click(resumeGameArea());
    ASSERT_TRUE(playScheduledGame(menu, loaded, plain, true, false, resumed))
        << menu.process.standardError();
    ASSERT_TRUE(menu.waitForMenu(3, again));

    // A new game for comparison: chase view at the start.
    GameShots fresh;
    loaded = menu.gameLoadLines();
    menu.click(newGameArea());
    ASSERT_TRUE(playScheduledGame(menu, loaded, plain, false, false, fresh))
        << menu.process.standardError();
    ASSERT_TRUE(menu.waitForMenu(4, again));

    menu.x.tapKey(menu.window, "Escape");
    ASSERT_TRUE(menu.process.waitForExit(10000));
    EXPECT_EQ(menu.process.exitStatus(), 0);

    // The resumed game opened in the view from the driver's seat: its horizon
    // lies low in the window, unlike the chase view's, which looks down.
    EXPECT_GT(horizonPercentile(resumed.ride, 0.8), horizonPercentile(resumed.chase, 0.8) + 100);
    EXPECT_GT(horizonPercentile(driven.ride, 0.8), horizonPercentile(driven.chase, 0.8) + 100);

    // The chase view looks from a fixed offset, so the landscape's outline
    // shows where the vehicle stands: the resumed game's matches the driven
    // game's, a new game's (back at the start) does not.
    double resumedGap = medianHorizonGap(resumed.chase, driven.chase);
    double freshGap = medianHorizonGap(fresh.chase, driven.chase);
    EXPECT_LT(resumedGap, 10) << "fresh game's gap: " << freshGap;
    EXPECT_GT(freshGap, resumedGap + 10);

    const char* names[] = {"driven", "resumed", "fresh"};
    GameShots* all[] = {&driven, &resumed, &fresh};
    for (int i = 0; i < 3; ++i) {
        menu.saveForLooking(all[i]->chase, std::string(names[i]) + "-chase");
        menu.saveForLooking(all[i]->ride, std::string(names[i]) + "-ride");
    }
}

}  // namespace
