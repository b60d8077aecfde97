#include "view/SceneGlState.h"

#include <GL/gl.h>

#include "platform/GameWindow.h"
#include "view/Projection.h"

void setSceneGlState() {
    glClearColor(0, 0, 0, 1);
    // White, so a frame starts from the same colour whatever drew last: Mesa
    // does not always give back the colour that glPopAttrib should restore
    // after immediate-mode drawing (seen after the HUD's text).
    glColor4f(1, 1, 1, 1);
    glShadeModel(GL_SMOOTH);
    const PictureRectangle picture = pictureRectangle();
    glViewport(picture.x, picture.y, picture.width, picture.height);
    loadGameProjection();
    glLoadIdentity();
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}
