#pragma once
// Initialises GLUT and opens the one window, titled with the path the program
// was started by, then greets the player on standard output.

// The window's size in pixels; it never changes. Flat drawing (menu, HUD,
// overlay) and the shadow pass's tiles are laid out in these pixels.
constexpr int windowWidth = 1024;
constexpr int windowHeight = 768;

void openGameWindow(int& argc, char** argv);
