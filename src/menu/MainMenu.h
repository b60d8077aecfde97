#pragma once
// The main menu: a full-window screen with a background picture and three
// picture buttons (New Game, Resume Game, Exit, top to bottom). The pointer
// highlights the button under it; a left click on the highlighted button, or
// Escape / 'q' (which choose Exit), fades the screen to black over 20 frames
// and hands the choice back to the caller of runMenu.
//
// Use: loadMenu(); MenuChoice choice = runMenu(); — every time, because
// leaving the menu releases all seven pictures.
//
// Menu coordinates are window pixels with the origin at the bottom-left
// corner, as WindowCoordinates sets them.
#include <memory>

#include "menu/MenuLayout.h"
#include "platform/ScreenLoop.h"
#include "texture/Texture.h"

constexpr int noButton = -1;  // MainMenu::hovered when no button is highlighted

struct MenuButton {
    std::unique_ptr<Texture> normalImage;    // shown when not highlighted; its size sets the rectangle
    std::unique_ptr<Texture> selectedImage;  // shown when highlighted, stretched to the same rectangle
    int left = 0;    // menu x of the left edge
    int bottom = 0;  // menu y of the bottom edge
    int right = 0;   // left + width of normalImage's picture
    int top = 0;     // bottom + height of normalImage's picture
};

// The menu's state. One record lives for the whole process (mainMenuState);
// its pictures are null except between loadMenu and the end of runMenu. The
// hover, click and fade fields live for one runMenu.
struct MainMenu {
    std::unique_ptr<Texture> background;
    MenuButton buttons[menuButtonCount];  // indexed by MenuChoice
    int hovered = noButton;               // highlighted button, or noButton
    float fadeAlpha = 0;                  // opacity of the black fade, 0 to 1
    bool leaving = false;                 // a choice is made and the fade runs
    // The menu screen's way out of the GLUT main loop (ScreenLoop.h).
    std::jmp_buf menuReturnPoint;  // where runMenu continues after leaveMenu
    bool menuRunning = false;      // true while the menu's main loop should run
    int choice = noButton;         // what leaveMenu handed back
    ScreenExit exit() { return {menuReturnPoint, menuRunning, &choice}; }
};

// The menu screen's one record: what its callbacks act on and draw, and what
// the tests look at.
MainMenu& mainMenuState();

// Loads the seven pictures from ./textures/ and sets the button rectangles;
// no button is highlighted. Throws FatalError for a missing picture.
void loadMenu();

// Shows the loaded menu until the player chooses, then returns the choice.
// The input and idle callbacks are withdrawn on return; the display callback
// stays until the next screen installs its own. An error while the menu runs
// releases the pictures and is rethrown.
MenuChoice runMenu();

// Sets the flat GL state the menu draws with (its display callback draws in
// WindowCoordinates) and resets the fade.
void setMenuView();

// Releases the seven pictures and jumps back into runMenu, which returns
// choice. Only valid inside runMenu's loop. Does not return.
[[noreturn]] void leaveMenu(int choice);

// Gives up the seven pictures, in the order loadMenu took them.
void releaseMenuPictures();

// The GLUT callbacks of the menu screen. Window coordinates, y from the top.
void menuDisplay();
void menuMouse(int button, int state, int x, int y);
void menuKeyboard(unsigned char key, int x, int y);
void menuHover(int x, int y);  // motion and passive motion alike
void menuIdle();  // installed only once a choice is made, while the fade runs
