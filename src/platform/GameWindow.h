#pragma once
// The one window of the game's programs. The game's picture is 1024 x 768
// pixels: flat drawing (menu, HUD, overlay) and the shadow pass's tiles are
// laid out in these pixels.
constexpr int windowWidth = 1024;
constexpr int windowHeight = 768;

// Initialises GLUT and opens a double-buffered RGBA window with a depth
// buffer, windowWidth x windowHeight at (100, 100), titled title, with
// blending switched on. The tests and the benchmark open theirs this way.
void createGameWindow(int& argc, char** argv, const char* title);

// The programs' window: createGameWindow titled with the path the program
// was started by, watched for its loss (WindowLoss.h), then the greeting on
// standard output.
void openGameWindow(int& argc, char** argv);
