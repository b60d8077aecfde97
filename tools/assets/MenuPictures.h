#pragma once
// The main menu's background and its three buttons, each in a plain and a
// highlighted picture. The menu draws a button with its picture's own size,
// lower-left corner at the position its file name carries.
#include <string>
#include <vector>

#include "Canvas.h"

constexpr int kMenuWidth = 1024;  // the window, in pixels
constexpr int kMenuHeight = 768;

struct MenuButtonLayout {
    std::string name;   // file name stem, e.g. "NewGame"
    std::string label;  // the text on the button
    int left, bottom;   // lower-left corner on the screen; part of the file name
    int width, height;  // picture size in pixels (width a multiple of 4)
};

// New Game, Resume Game and Exit, top to bottom on the screen.
const std::vector<MenuButtonLayout>& menuButtons();

// "NewGame387x638.bmp", or with selected "NewGameSelected387x638.bmp".
std::string menuButtonFileName(const MenuButtonLayout& button, bool selected);

Canvas makeMenuBackground();
Canvas makeMenuButton(const MenuButtonLayout& button, bool selected);
