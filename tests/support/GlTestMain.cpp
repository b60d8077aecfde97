// Test main: opens the game's real 1024 x 768 GLUT window on $DISPLAY, so
// that every test runs with a current OpenGL context, then runs the tests.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "brellow-tests needs an X display (the test command starts Xvfb)\n");
        return 1;
    }
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(1024, 768);
    glutInitWindowPosition(100, 100);
    glutCreateWindow("brellow-tests");
    glEnable(GL_BLEND);
    return RUN_ALL_TESTS();
}
