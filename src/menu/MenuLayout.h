#pragma once
// The main menu's pictures and where its buttons stand: the one table the
// menu, the asset generator and the tests read. Positions are menu
// coordinates (window pixels, origin at the bottom-left corner).

// The index of a button, top to bottom on the screen, and what runMenu returns.
enum MenuChoice : int {
    NewGame = 0,
    ResumeGame = 1,
    Exit = 2,
};
constexpr int menuButtonCount = 3;

struct MenuButtonPlace {
    const char* name;             // the file names' stem, "NewGame"
    const char* normalPicture;    // shown when not highlighted; its size sets the rectangle
    const char* selectedPicture;  // shown when highlighted, stretched to the same rectangle
    int left;                     // the lower-left corner, which the file names repeat
    int bottom;
};

constexpr const char* menuBackgroundPicture = "MenuBackground.bmp";

// Indexed by MenuChoice.
constexpr MenuButtonPlace menuButtonPlaces[menuButtonCount] = {
    {"NewGame", "NewGame387x638.bmp", "NewGameSelected387x638.bmp", 387, 638},
    {"ResumeGame", "ResumeGame346x559.bmp", "ResumeGameSelected346x559.bmp", 346, 559},
    {"Exit", "Exit460x297.bmp", "ExitSelected460x297.bmp", 460, 297},
};

// The seven pictures in the order the menu loads them: the background, then
// each button's normal and selected picture.
constexpr int menuPictureCount = 1 + 2 * menuButtonCount;
constexpr const char* menuPicture(int index) {
    return index == 0 ? menuBackgroundPicture
                      : index % 2 == 1 ? menuButtonPlaces[(index - 1) / 2].normalPicture
                                       : menuButtonPlaces[(index - 1) / 2].selectedPicture;
}
