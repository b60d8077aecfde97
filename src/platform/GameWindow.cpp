#include "platform/GameWindow.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "platform/WindowLoss.h"

void openGameWindow(int& argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(100, 100);
    glutCreateWindow(argv[0]);
    watchForWindowLoss();
    glEnable(GL_BLEND);
    std::printf("Brellow 4 initialized.  Hi.\n");
    std::fflush(stdout);
}
