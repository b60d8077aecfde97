#include "hud/Hud.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "hud/HudLettering.h"
#include "hud/Text.h"
#include "platform/GameWindow.h"
#include "platform/GlStateScope.h"
#include "view/WindowCoordinates.h"

namespace {

// A white panel 108 x 46 pixels, 10 pixels in from the left and top edges,
// at 75 % opacity, with a 40-pixel tail to the right that fades out. The
// fade comes from smooth shading between the tail's corner colours.
void drawPanel() {
    glBegin(GL_QUADS);
    glColor4f(1, 1, 1, 0.75f);
    glVertex2i(10, 758);
    glVertex2i(118, 758);
    glVertex2i(118, 712);
    glVertex2i(10, 712);

    glVertex2i(118, 758);
    glColor4f(1, 1, 1, 0);
    glVertex2i(158, 758);
    glVertex2i(158, 712);
    glColor4f(1, 1, 1, 0.75f);
    glVertex2i(118, 712);
    glEnd();
}

}  // namespace

void drawHud(int score, int fps, const HudLettering* lettering) {
    const GlStateScope saved(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    const WindowCoordinates flat;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    drawPanel();

    char scoreLine[32], fpsLine[32];
    std::snprintf(scoreLine, sizeof scoreLine, "SCORE  %d", score);
    std::snprintf(fpsLine, sizeof fpsLine, "FPS  %d", fps);
    // The raster colour is taken when drawText sets the raster position.
    glDisable(GL_BLEND);
    glColor4f(0, 0, 0, 1);
    GLint picture[4];
    glGetIntegerv(GL_VIEWPORT, picture);
    if (lettering && lettering->ready() && (picture[2] != windowWidth || picture[3] != windowHeight)) {
        // The panel is scaled with the picture, and so is its text.
        lettering->draw(16, 738, scoreLine);
        lettering->draw(45, 718, fpsLine);
    } else {
        drawText(16, 738, GLUT_BITMAP_HELVETICA_18, "%s", scoreLine);
        drawText(45, 718, GLUT_BITMAP_HELVETICA_18, "%s", fpsLine);
    }
}
