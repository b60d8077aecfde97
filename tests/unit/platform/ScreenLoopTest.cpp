// Screens run one after another in the same window: leaving one must leave
// the window and its GL context alive for the next.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "base/FatalError.h"
#include "platform/ScreenLoop.h"
#include "support/Expect.h"
#include "support/WindowReadBack.h"

namespace {

std::jmp_buf testReturnPoint;
bool testRunning = false;
int testValue = 0;
const ScreenExit testScreen{testReturnPoint, testRunning, &testValue};
float clearRed = 0;
int framesDrawn = 0;

void drawClearFrame() {
    glClearColor(clearRed, 1 - clearRed, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ++framesDrawn;
}

void leaveAfterSomeFrames() {
    if (framesDrawn >= 3) leaveScreen(testScreen, 7);
    glutPostRedisplay();
}

void failWhileDrawing() { throw FatalError("Tried to bind a NULL texture"); }

// Runs one screen that clears to a colour, and returns the value it left with.
int runColourScreen(float red) {
    clearRed = red;
    framesDrawn = 0;
    glutDisplayFunc(guardCallback<drawClearFrame>);
    glutIdleFunc(guardCallback<leaveAfterSomeFrames>);
    glutPostRedisplay();
    enterScreenLoop(testScreen);
    glutIdleFunc(nullptr);
    return testValue;
}

void expectBackBufferColour(int red, int green) {
    const Rgb pixel = readPixel(512, 384);
    EXPECT_EQ(std::tuple(pixel.r, pixel.g, pixel.b), std::tuple(red, green, 0));
}

TEST(ScreenLoop, TwoScreensRunOneAfterAnotherInTheSameWindow) {
    int window = glutGetWindow();
    ASSERT_NE(window, 0);

    EXPECT_EQ(runColourScreen(1), 7);
    EXPECT_FALSE(testScreen.running);
    EXPECT_GE(framesDrawn, 3);
    EXPECT_EQ(glutGetWindow(), window);
    expectBackBufferColour(255, 0);

    EXPECT_EQ(runColourScreen(0), 7);
    EXPECT_EQ(glutGetWindow(), window);
    expectBackBufferColour(0, 255);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(ScreenLoop, AnErrorInACallbackLeavesTheLoopAndIsRethrown) {
    glutDisplayFunc(guardCallback<failWhileDrawing>);
    glutIdleFunc(nullptr);
    glutPostRedisplay();
    expectFatal([] { enterScreenLoop(testScreen); }, "Tried to bind a NULL texture");
    EXPECT_FALSE(testScreen.running);
    // The window survives for the next screen.
    EXPECT_EQ(runColourScreen(0), 7);
}

}  // namespace
