#pragma once
// The main menu's background and its three buttons, each in a plain and a
// highlighted picture. The menu draws a button with its picture's own size,
// lower-left corner at the position its file name carries.
#include <string>
#include <vector>

#include "Canvas.h"
#include "menu/MenuLayout.h"

// How a button is painted; its names and place are the menu's (MenuLayout.h).
struct MenuButtonLayout {
    const MenuButtonPlace& place;
    std::string label;  // the text on the button
    int width, height;  // picture size in pixels (width a multiple of 4)
};

// New Game, Resume Game and Exit, top to bottom on the screen.
const std::vector<MenuButtonLayout>& menuButtons();

// The picture's file name, the normal or the selected one.
std::string menuButtonFileName(const MenuButtonLayout& button, bool selected);

Canvas makeMenuBackground();
Canvas makeMenuButton(const MenuButtonLayout& button, bool selected);
