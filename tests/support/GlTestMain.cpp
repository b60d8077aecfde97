// Test main: opens the game's real 1024 x 768 GLUT window on $DISPLAY, so
// that every test runs with a current OpenGL context, checks GL for errors
// at every frame-pass mark, then runs the tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/FramePasses.h"
#include "platform/GameWindow.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "brellow-tests needs an X display (the test command starts Xvfb)\n");
        return 1;
    }
    char title[] = "brellow-tests";
    createGameWindow(argc, argv, title);
    setFramePassErrorChecks(true);
    return RUN_ALL_TESTS();
}
