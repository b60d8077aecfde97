// The menu's hover, click, key and fade rules on a plain record, no window.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <tuple>

#include "menu/MenuRules.h"
#include "base/QuitKeys.h"

namespace {

// A menu whose three buttons have the rectangles loadMenu would set for
// pictures of 200 x 50 pixels.
MainMenu placedMenu() {
    MainMenu menu;
    for (int i = 0; i < menuButtonCount; ++i) {
        const MenuButtonPlace& p = menuButtonPlaces[i];
        menu.buttons[i] = {nullptr, nullptr, p.left, p.bottom, p.left + 200, p.bottom + 50};
    }
    return menu;
}

int windowY(int menuY) { return windowHeight - menuY; }

TEST(MenuRules, PointerPicksTheButtonUnderItWithAllFourEdgesIncluded) {
    MainMenu menu = placedMenu();
    const MenuButton& resume = menu.buttons[ResumeGame];

    // GLUT's y counts down from the top: the top of the window is New Game's.
    const std::tuple<int, int, int> probes[] = {
        {400, windowY(580), ResumeGame},      {resume.left, windowY(resume.bottom), ResumeGame},
        {resume.right, windowY(resume.top), ResumeGame}, {resume.left - 1, windowY(580), noButton},
        {resume.right + 1, windowY(580), noButton},      {400, windowY(resume.bottom - 1), noButton},
        {400, windowY(resume.top + 1), noButton},        {500, 768 - 650, NewGame},
        {500, 650, noButton},                            {500, windowY(300), Exit},
    };
    for (const auto& [x, y, button] : probes) EXPECT_EQ(buttonUnderPointer(menu, x, y), button) << x << "," << y;

    // Where rectangles overlap, the earlier button wins.
    menu.buttons[Exit] = {nullptr, nullptr, 0, 0, 1024, 768};
    EXPECT_EQ(buttonUnderPointer(menu, 400, windowY(580)), ResumeGame);
    EXPECT_EQ(buttonUnderPointer(menu, 10, windowY(10)), Exit);
}

TEST(MenuRules, HoverMovesTheHighlightUntilTheFadeStarts) {
    MainMenu menu = placedMenu();
    EXPECT_TRUE(hoverMenu(menu, 400, windowY(580)));
    EXPECT_EQ(menu.hovered, ResumeGame);
    EXPECT_TRUE(hoverMenu(menu, 5, 5));
    EXPECT_EQ(menu.hovered, noButton);

    hoverMenu(menu, 500, windowY(650));
    ASSERT_TRUE(clickMenu(menu, GLUT_LEFT_BUTTON, GLUT_DOWN));
    EXPECT_FALSE(hoverMenu(menu, 500, windowY(300)));
    EXPECT_FALSE(hoverMenu(menu, 5, 5));
    EXPECT_EQ(menu.hovered, NewGame);
}

TEST(MenuRules, OnlyALeftPressOnAHighlightedButtonStartsTheFade) {
    MainMenu menu = placedMenu();
    EXPECT_FALSE(clickMenu(menu, GLUT_LEFT_BUTTON, GLUT_DOWN));
    EXPECT_FALSE(menu.leaving);

    hoverMenu(menu, 500, windowY(300));
    EXPECT_FALSE(clickMenu(menu, GLUT_RIGHT_BUTTON, GLUT_DOWN));
    EXPECT_FALSE(clickMenu(menu, GLUT_MIDDLE_BUTTON, GLUT_DOWN));
    EXPECT_FALSE(clickMenu(menu, GLUT_LEFT_BUTTON, GLUT_UP));
    EXPECT_FALSE(menu.leaving);

    EXPECT_TRUE(clickMenu(menu, GLUT_LEFT_BUTTON, GLUT_DOWN));
    EXPECT_TRUE(menu.leaving);
    EXPECT_EQ(menu.hovered, Exit);
}

TEST(MenuRules, EscapeAndLowerCaseQChooseExitEvenDuringAFade) {
    // Every byte: only Escape and 'q' are quit keys, on the menu as in the game.
    for (int key = 0; key < 256; ++key) {
        const bool quits = key == 27 || key == 'q';
        EXPECT_EQ(isQuitKey(static_cast<unsigned char>(key)), quits) << key;
        MainMenu pressed;
        EXPECT_EQ(pressMenuKey(pressed, static_cast<unsigned char>(key)), quits) << key;
        EXPECT_EQ(pressed.leaving, quits) << key;
        EXPECT_EQ(pressed.hovered, quits ? Exit : noButton) << key;
    }
    // A click on New Game is overruled by 'q' while the fade runs; the fade
    // carries on from where it was.
    MainMenu menu = placedMenu();
    hoverMenu(menu, 500, windowY(650));
    clickMenu(menu, GLUT_LEFT_BUTTON, GLUT_DOWN);
    advanceFade(menu);
    EXPECT_TRUE(pressMenuKey(menu, 'q'));
    EXPECT_EQ(menu.hovered, Exit);
    EXPECT_FLOAT_EQ(menu.fadeAlpha, 0.05f);
}

TEST(MenuRules, FadeReachesExactlyOneOnItsTwentiethFrame) {
    MainMenu menu;
    menu.leaving = true;
    for (int frame = 1; frame < 20; ++frame) {
        ASSERT_FALSE(advanceFade(menu)) << "frame " << frame;
        ASSERT_FALSE(fadeFinished(menu)) << "frame " << frame;
    }
    EXPECT_LT(menu.fadeAlpha, 1.0f);
    EXPECT_TRUE(advanceFade(menu));
    EXPECT_EQ(menu.fadeAlpha, 1.0f);
    EXPECT_TRUE(fadeFinished(menu));
    // Further frames keep it at one.
    EXPECT_TRUE(advanceFade(menu));
    EXPECT_EQ(menu.fadeAlpha, 1.0f);

    // Not finished without a choice, whatever the opacity.
    menu.leaving = false;
    EXPECT_FALSE(fadeFinished(menu));
}

}  // namespace
