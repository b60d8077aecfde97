#include "menu/MenuRules.h"

#include <GL/freeglut.h>

#include "base/QuitKeys.h"

int buttonUnderPointer(const MainMenu& menu, int x, int windowY) {
    int y = windowHeight - windowY;
    for (int i = 0; i < menuButtonCount; ++i) {
        const MenuButton& b = menu.buttons[i];
        if (b.left <= x && x <= b.right && b.bottom <= y && y <= b.top) return i;
    }
    return noButton;
}

bool hoverMenu(MainMenu& menu, int x, int windowY) {
    // The choice is fixed once the fade runs; the pointer may wander off.
    if (menu.leaving) return false;
    menu.hovered = buttonUnderPointer(menu, x, windowY);
    return true;
}

bool clickMenu(MainMenu& menu, int button, int state) {
    if (button != GLUT_LEFT_BUTTON || state != GLUT_DOWN || menu.hovered == noButton)
        return false;
    menu.leaving = true;
    return true;
}

bool pressMenuKey(MainMenu& menu, unsigned char key) {
    if (!isQuitKey(key)) return false;
    menu.leaving = true;
    menu.hovered = Exit;
    return true;
}

bool advanceFade(MainMenu& menu) {
    float sum = menu.fadeAlpha + fadeStep;
    if (sum >= 1.0f) {
        menu.fadeAlpha = 1.0f;
        return true;
    }
    menu.fadeAlpha = sum;
    return false;
}

bool fadeFinished(const MainMenu& menu) { return menu.leaving && menu.fadeAlpha == 1.0f; }
