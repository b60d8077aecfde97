#include "view/WindowCoordinates.h"

#include <GL/gl.h>

#include "platform/GameWindow.h"

WindowCoordinates::WindowCoordinates() : saved(GL_ENABLE_BIT, 0, GlStateScope::saveMatrices) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, windowWidth, 0, windowHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
}
