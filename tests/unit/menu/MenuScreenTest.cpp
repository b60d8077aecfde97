// The real menu screen in the test window: loadMenu and runMenu with their
// GLUT callbacks, driven from a GLUT timer the way the player would drive
// them, with the drawn frames read back from the window.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "menu/MainMenu.h"
#include "support/Expect.h"
#include "support/GlStateGuard.h"
#include "support/TempWorkDir.h"
#include "support/TestPictures.h"
#include "support/WindowReadBack.h"

namespace {

const Rgb backgroundLow{0, 0, 90};   // lower half of the background picture
const Rgb backgroundHigh{0, 90, 0};  // upper half
const Rgb normalColour[menuButtonCount] = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}};
const Rgb selectedColour[menuButtonCount] = {{250, 250, 40}, {40, 250, 250}, {250, 40, 250}};
// Picture sizes that are not powers of two, so the rectangles must come from
// the pictures as read, not as uploaded.
const int pictureWidth[menuButtonCount] = {250, 332, 104};
const int pictureHeight[menuButtonCount] = {70, 66, 60};
// Highlighted pictures of another size; they are drawn in the normal one's rectangle.
const int selectedWidth = 40, selectedHeight = 20;

void writeMenuPictures() {
    writeTestPicture("textures/MenuBackground.bmp", 64, 48, [](uint32_t, uint32_t row) {
        return row < 24 ? backgroundLow : backgroundHigh;
    });
    for (int i = 0; i < menuButtonCount; ++i) {
        writeSolidPicture(std::string("textures/") + menuButtonPlaces[i].normalPicture, pictureWidth[i],
                          pictureHeight[i], normalColour[i]);
        writeSolidPicture(std::string("textures/") + menuButtonPlaces[i].selectedPicture, selectedWidth,
                          selectedHeight, selectedColour[i]);
    }
}

int picturesHeld() {
    int held = 0;
    for (int k = 0; k < menuPictureCount; ++k) held += Texture::holderCount(menuPicture(k));
    return held;
}

// readPixel reads the frame last drawn from the back buffer, which the swap
// leaves as it was; the front buffer of the virtual display reads back empty.
testing::AssertionResult near(Rgb actual, Rgb expected, int tolerance = 3) {
    const int off = std::max({std::abs(actual.r - expected.r), std::abs(actual.g - expected.g),
                              std::abs(actual.b - expected.b)});
    return (off <= tolerance ? testing::AssertionSuccess() : testing::AssertionFailure())
           << "got (" << +actual.r << ", " << +actual.g << ", " << +actual.b << "), " << off << " levels off";
}

// GLUT pointer coordinates (y from the top) of a button's centre, and the
// pixel there.
int centreX(int i) { return (mainMenuState().buttons[i].left + mainMenuState().buttons[i].right) / 2; }
int centreWindowY(int i) { return 768 - (mainMenuState().buttons[i].bottom + mainMenuState().buttons[i].top) / 2; }
Rgb buttonCentrePixel(int i) { return readPixel(centreX(i), 768 - centreWindowY(i)); }

// Every button shows its picture, the highlighted one its highlighted picture.
void expectButtonsShown(int highlighted) {
    for (int i = 0; i < menuButtonCount; ++i)
        EXPECT_TRUE(near(buttonCentrePixel(i), i == highlighted ? selectedColour[i] : normalColour[i])) << i;
}

// Steps run one at a time from a GLUT timer while the menu's loop runs. Each
// step waits for a frame drawn after the previous one (or, when the previous
// step asked for no redraw, for a few ticks). What must happen at a given
// frame of the fade runs from the display callback itself, right after that
// frame, so it does not depend on how fast the machine draws.
using Step = std::function<void()>;
using FadeFrameStep = std::function<void(int fadeFrame)>;  // 1 for the first fade frame

// Ticks of 10 ms; a step waits 5 ticks when no frame comes, and a menu that
// has not left after 800 ticks is made to leave with a choice no button has.
constexpr int tickMs = 10, quietTicks = 5, watchdogTicks = 800, timedOut = 99;

int generation = 0;  // stale timers from earlier runs see another value and stop
std::vector<Step> steps;
size_t nextStep = 0;
int tick = 0, lastStepTick = 0;
int framesDrawn = 0, framesAtLastStep = 0;
int fadeFrames = 0;  // frames drawn with a choice made (each advances the fade)
FadeFrameStep atFadeFrame;

void countedDisplay() {
    const bool fading = mainMenuState().leaving;
    menuDisplay();
    ++framesDrawn;
    fadeFrames += fading;
    if (fading && atFadeFrame) atFadeFrame(fadeFrames);
}

void driveTick(int runGeneration) {
    if (runGeneration != generation) return;
    if (tick == 0) {
        // Count the frames the menu's own display callback draws.
        glutDisplayFunc(guardCallback<countedDisplay>);
        glutPostRedisplay();
    }
    if (++tick > watchdogTicks) leaveMenu(timedOut);
    if (nextStep < steps.size() && (framesDrawn > framesAtLastStep || tick - lastStepTick >= quietTicks)) {
        framesAtLastStep = framesDrawn;
        lastStepTick = tick;
        steps[nextStep++]();
    }
    glutTimerFunc(tickMs, driveTick, runGeneration);
}

// Runs the loaded menu, taking the steps in turn, and returns its choice.
int runDrivenMenu(std::vector<Step> script, FadeFrameStep fadeFrameStep = {}) {
    steps = std::move(script);
    atFadeFrame = std::move(fadeFrameStep);
    nextStep = 0;
    tick = lastStepTick = framesDrawn = framesAtLastStep = fadeFrames = 0;
    glutTimerFunc(tickMs, driveTick, ++generation);
    struct StopTimers {
        ~StopTimers() { ++generation; }
    } stopTimers;  // however runMenu ends
    const int choice = runMenu();
    EXPECT_EQ(nextStep, steps.size()) << "the menu left before the script ended";
    return choice;
}

class MenuScreen : public GlTest {
protected:
    void SetUp() override { writeMenuPictures(); }
    TempWorkDir dir;
};

TEST_F(MenuScreen, LoadSetsRectanglesFromPicturesAndARunReleasesThem) {
    mainMenuState().hovered = Exit;
    loadMenu();
    EXPECT_EQ(mainMenuState().hovered, noButton);
    for (int i = 0; i < menuButtonCount; ++i) {
        const MenuButton& b = mainMenuState().buttons[i];
        const MenuButtonPlace& place = menuButtonPlaces[i];
        EXPECT_EQ(std::tuple(b.left, b.bottom, b.right, b.top),
                  std::tuple(place.left, place.bottom, place.left + pictureWidth[i], place.bottom + pictureHeight[i]))
            << i;
    }
    for (int k = 0; k < menuPictureCount; ++k) EXPECT_EQ(Texture::holderCount(menuPicture(k)), 1) << menuPicture(k);

    EXPECT_EQ(runDrivenMenu({[] { menuKeyboard('q', 0, 0); }}), Exit);
    EXPECT_EQ(picturesHeld(), 0);
    EXPECT_FALSE(mainMenuState().background);
}

TEST_F(MenuScreen, DrawsBackgroundAndButtonsAndHighlightsTheButtonUnderThePointer) {
    loadMenu();
    const MenuButton& resume = mainMenuState().buttons[ResumeGame];
    int choice = runDrivenMenu({
        [] {
            // The whole background, right way up, under the three buttons.
            // (Probes keep clear of the pictures' edges, which linear
            // filtering blends with the clamped border.)
            EXPECT_TRUE(near(readPixel(40, 40), backgroundLow));
            EXPECT_TRUE(near(readPixel(990, 730), backgroundHigh));
            expectButtonsShown(noButton);
            menuHover(centreX(ResumeGame), centreWindowY(ResumeGame));
        },
        [&] {
            EXPECT_EQ(mainMenuState().hovered, ResumeGame);
            // The highlighted picture fills the normal picture's rectangle.
            expectButtonsShown(ResumeGame);
            EXPECT_TRUE(near(readPixel(resume.left + 6, resume.bottom + 3), selectedColour[ResumeGame]));
            EXPECT_TRUE(near(readPixel(resume.right - 7, resume.top - 4), selectedColour[ResumeGame]));
            EXPECT_TRUE(near(readPixel(resume.left - 2, resume.bottom + 5), backgroundHigh));
            EXPECT_TRUE(near(readPixel(resume.right + 1, resume.bottom + 5), backgroundHigh));
            // Exactly on New Game's upper-left corner.
            menuHover(mainMenuState().buttons[NewGame].left, 768 - mainMenuState().buttons[NewGame].top);
        },
        [] {
            EXPECT_EQ(mainMenuState().hovered, NewGame);
            expectButtonsShown(NewGame);
            menuHover(5, 5);
        },
        [] {
            EXPECT_EQ(mainMenuState().hovered, noButton);
            expectButtonsShown(noButton);
            menuKeyboard('q', 0, 0);
        },
    });
    EXPECT_EQ(choice, Exit);
}

TEST_F(MenuScreen, ClickOnHighlightedButtonFadesToBlackOverTwentyFramesAndReturnsIt) {
    loadMenu();
    int choice = runDrivenMenu(
        {
            [] { menuHover(centreX(NewGame), centreWindowY(NewGame)); },
            [] { menuMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0); },
        },
        [&](int fadeFrame) {
            if (fadeFrame == 1) {
                // Releasing the button and moving the pointer change nothing now.
                menuMouse(GLUT_LEFT_BUTTON, GLUT_UP, 0, 0);
                menuHover(centreX(Exit), centreWindowY(Exit));
            } else if (fadeFrame == 8) {
                EXPECT_EQ(mainMenuState().hovered, NewGame);
                // Part way: the highlighted button shows through the black.
                Rgb shown = buttonCentrePixel(NewGame);
                EXPECT_GT(shown.g, 100);
                EXPECT_LT(shown.g, selectedColour[NewGame].g - 5);
            }
        });
    EXPECT_EQ(choice, NewGame);
    // Each of the 20 frames advanced the fade by one step.
    EXPECT_EQ(fadeFrames, 20);
    EXPECT_FALSE(mainMenuState().leaving);
    // The last frame is black all over.
    EXPECT_TRUE(near(buttonCentrePixel(NewGame), {0, 0, 0}, 1));
    EXPECT_TRUE(near(readPixel(990, 730), {0, 0, 0}, 1));
    EXPECT_EQ(picturesHeld(), 0);
}

TEST_F(MenuScreen, RunningWithoutLoadingOrLoadingAMissingPictureIsFatalAndHoldsNoPictures) {
    expectFatal([] { runDrivenMenu({}); }, "Tried to bind a NULL texture");
    EXPECT_EQ(picturesHeld(), 0);
    std::remove("textures/ExitSelected460x297.bmp");
    expectFatal(loadMenu, "Error loading texture ./textures/ExitSelected460x297.bmp");
    releaseMenuPictures();
    EXPECT_EQ(picturesHeld(), 0);
}

}  // namespace
