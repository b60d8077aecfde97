#include "menu/MainMenu.h"

#include <GL/freeglut.h>

#include "menu/MenuRules.h"
#include "platform/GameWindow.h"

namespace {
// The menu screen's record, for the whole process. GLUT's callbacks take no
// argument, so this is how they reach it.
MainMenu mainMenu;
}  // namespace

MainMenu& mainMenuState() { return mainMenu; }

void loadMenu() {
    mainMenu.hovered = noButton;
    // Pictures still held (say from a load that failed) go first, so each
    // is read afresh rather than shared with its old self.
    releaseMenuPictures();
    mainMenu.background = std::make_unique<Texture>(menuBackgroundPicture);
    for (int i = 0; i < menuButtonCount; ++i) {
        MenuButton& button = mainMenu.buttons[i];
        const MenuButtonPlace& place = menuButtonPlaces[i];
        button.normalImage = std::make_unique<Texture>(place.normalPicture);
        button.selectedImage = std::make_unique<Texture>(place.selectedPicture);
        // The highlighted picture is stretched over the normal one's rectangle.
        button.left = place.left;
        button.bottom = place.bottom;
        button.right = button.left + button.normalImage->getImageWidth();
        button.top = button.bottom + button.normalImage->getImageHeight();
    }
}

void setMenuView() {
    glClearColor(0, 0, 0, 0);
    glShadeModel(GL_FLAT);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_LIGHTING);
    const PictureRectangle picture = pictureRectangle();
    glViewport(picture.x, picture.y, picture.width, picture.height);
    mainMenu.fadeAlpha = 0;
    mainMenu.leaving = false;
}

MenuChoice runMenu() {
    setMenuView();
    // Moves with and without a button held highlight alike. No idle
    // callback until a choice is made (startFade), so a menu that waits for
    // input sleeps instead of spinning a core.
    try {
        runScreen(mainMenu.exit(), {guardCallback<menuDisplay>, guardCallback<menuMouse>,
                                  guardCallback<menuKeyboard>, guardCallback<menuHover>,
                                  guardCallback<menuHover>, nullptr, nullptr});
    } catch (...) {
        releaseMenuPictures();  // leaveMenu never ran, so the pictures are still held
        throw;
    }
    return static_cast<MenuChoice>(mainMenu.choice);
}

void releaseMenuPictures() {
    mainMenu.background.reset();
    for (MenuButton& button : mainMenu.buttons) {
        button.normalImage.reset();
        button.selectedImage.reset();
    }
}

void leaveMenu(int choice) {
    releaseMenuPictures();
    leaveScreen(mainMenu.exit(), choice);
}

namespace {

// The fade advances with each displayed frame; the idle callback, installed
// only from now on, hands the choice back after the frame that completes it.
void startFade() {
    setScreenIdle(guardCallback<menuIdle>);
    glutPostRedisplay();
}

}  // namespace

void menuHover(int x, int y) {
    // Only a change of highlight changes the picture.
    int highlighted = mainMenu.hovered;
    if (hoverMenu(mainMenu, x, y) && mainMenu.hovered != highlighted) glutPostRedisplay();
}

void menuMouse(int button, int state, int, int) {
    if (clickMenu(mainMenu, button, state)) startFade();
}

void menuKeyboard(unsigned char key, int, int) {
    if (pressMenuKey(mainMenu, key)) startFade();
}

void menuIdle() {
    // The choice goes back only after the frame that completed the fade.
    if (!fadeFinished(mainMenu)) return;
    mainMenu.leaving = false;
    leaveMenu(mainMenu.hovered);
}
