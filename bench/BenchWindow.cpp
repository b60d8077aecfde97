#include "BenchWindow.h"

#include <GL/freeglut.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/GameWindow.h"

namespace {

void noDisplay() {}  // frames are drawn by the benchmark's own loop

std::string sizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

// Resizes the window at its place, moved the least to lie on the screen, and
// lets events in until the reshape callback has passed the new size to the
// game, for up to five seconds.
void resizeWindow(int width, int height) {
    const int screenWidth = glutGet(GLUT_SCREEN_WIDTH), screenHeight = glutGet(GLUT_SCREEN_HEIGHT);
    if (screenWidth < width || screenHeight < height)
        throw std::runtime_error("the screen, " + sizeText(screenWidth, screenHeight) + ", cannot hold a " +
                                 sizeText(width, height) + " window (scripts/xvfb.sh starts one large enough)");
    glutPositionWindow(std::min(glutGet(GLUT_WINDOW_X), screenWidth - width),
                       std::min(glutGet(GLUT_WINDOW_Y), screenHeight - height));
    glutReshapeWindow(width, height);
    for (int i = 0; i < 500 && (framebufferWidth() != width || framebufferHeight() != height); ++i) {
        glutMainLoopEvent();
        usleep(10000);
    }
}

}  // namespace

void openBenchWindow(int width, int height) {
    int argc = 1;
    char name[] = "brellow-bench";
    char* argv[] = {name, nullptr};
    createGameWindow(argc, argv, name);
    glutDisplayFunc(noDisplay);
    for (int i = 0; i < 10; ++i) glutMainLoopEvent();  // let the window be mapped
    if (width != framebufferWidth() || height != framebufferHeight()) resizeWindow(width, height);
    const PictureRectangle picture = pictureRectangle();
    if (picture.width != width || picture.height != height || glutGet(GLUT_WINDOW_WIDTH) != width ||
        glutGet(GLUT_WINDOW_HEIGHT) != height)
        throw std::runtime_error("the picture is " + sizeText(picture.width, picture.height) + ", not " +
                                 sizeText(width, height));
}
