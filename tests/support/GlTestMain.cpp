// The unit tests' main: a virtual display of the process's own with the
// game's real 1024 x 768 GLUT window on it, so that every test runs with a
// current OpenGL context; GL is asked for errors at every frame-pass mark.
#include <gtest/gtest.h>

#include "platform/FramePasses.h"
#include "platform/GameWindow.h"
#include "support/PrivateDisplay.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!testing::GTEST_FLAG(list_tests)) {
        usePrivateDisplay();
        char title[] = "brellow-tests";
        createGameWindow(argc, argv, title);
        setFramePassErrorChecks(true);
    }
    const int failed = RUN_ALL_TESTS();
    closeGameWindow();
    return failed;
}
