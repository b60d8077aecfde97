#include "platform/GameWindow.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "platform/WindowLoss.h"

void createGameWindow(int& argc, char** argv, const char* title) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(100, 100);
    glutCreateWindow(title);
    glEnable(GL_BLEND);
}

void openGameWindow(int& argc, char** argv) {
    createGameWindow(argc, argv, argv[0]);
    watchForWindowLoss();
    std::printf("Brellow 4 initialized.  Hi.\n");
    std::fflush(stdout);
}
