// The menu's display callback: background, buttons and, once a choice is
// made, the black fade drawn over them.
#include <GL/freeglut.h>

#include "menu/MainMenu.h"
#include "platform/FramePasses.h"
#include "menu/MenuRules.h"
#include "platform/GameWindow.h"
#include "view/WindowCoordinates.h"
#include "base/FatalError.h"

namespace {

// One quad from (left, bottom) to (right, top) at z = 0, counter-clockwise
// from the lower-left corner, with the whole picture on it.
void drawPictureQuad(float left, float bottom, float right, float top) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(left, bottom, 0);
    glTexCoord2f(0, 1);
    glVertex3f(left, top, 0);
    glTexCoord2f(1, 1);
    glVertex3f(right, top, 0);
    glTexCoord2f(1, 0);
    glVertex3f(right, bottom, 0);
    glEnd();
}

// Drawing the menu before loadMenu is the caller's fault, reported as
// binding an empty texture is.
void bindPicture(const std::unique_ptr<Texture>& picture) {
    if (!picture) throw FatalError("Tried to bind a NULL texture");
    picture->bind();
}

void drawFade(float alpha) {
    glColor4f(0, 0, 0, alpha);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBegin(GL_QUADS);
    glVertex3f(0, 0, 0);
    glVertex3f(0, windowHeight, 0);
    glVertex3f(windowWidth, windowHeight, 0);
    glVertex3f(windowWidth, 0, 0);
    glEnd();
}

}  // namespace

void menuDisplay() {
    const MainMenu& mainMenu = mainMenuState();
    const WindowCoordinates flat;
    // Depth testing is off, so only the colour buffer needs clearing.
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    // Pictures keep their own colours whatever the current colour is, and
    // cover what lies beneath whatever its alpha (the fade leaves its own).
    glDisable(GL_BLEND);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

    bindPicture(mainMenu.background);
    drawPictureQuad(0, 0, windowWidth, windowHeight);
    for (int i = 0; i < menuButtonCount; ++i) {
        const MenuButton& button = mainMenu.buttons[i];
        bindPicture(i == mainMenu.hovered ? button.selectedImage : button.normalImage);
        drawPictureQuad(button.left, button.bottom, button.right, button.top);
    }

    if (!mainMenu.leaving) {
        endFramePass(FramePass::menu);
        glutSwapBuffers();
        return;
    }
    // The fade advances once per displayed frame, without further input.
    bool complete = advanceFade(mainMenuState());
    drawFade(mainMenu.fadeAlpha);
    endFramePass(FramePass::menu);
    glutSwapBuffers();
    if (!complete) glutPostRedisplay();
}
