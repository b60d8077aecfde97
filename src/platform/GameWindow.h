#pragma once
// The one window of the game's programs. The game's picture is 1024 x 768
// pixels: flat drawing (menu, HUD, overlay) and the pointer are laid out in
// these pixels. A window manager may give the window another size; the
// picture is then scaled to the largest rectangle of its shape that fits,
// centred, with black bars beside it.
constexpr int windowWidth = 1024;  // the picture, in its own pixels
constexpr int windowHeight = 768;

// Where the picture lies in the window, in window pixels from the
// bottom-left corner, as glViewport takes it.
struct PictureRectangle {
    int x = 0, y = 0;
    int width = windowWidth, height = windowHeight;
};

// The largest rectangle of the picture's shape inside a window of the given
// size, centred. Plain arithmetic, for the tests as for the window.
PictureRectangle pictureRectangleIn(int windowPixelsWide, int windowPixelsHigh);

// A rectangle of the screen in pixels from its top-left corner: the whole
// screen, or the part a desktop's panels leave to windows.
struct ScreenArea {
    int x = 0, y = 0;
    int width = 0, height = 0;
};
// What a window manager's frame adds around the window on each side.
struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};
// The window's inside size, and where its frame's top-left corner goes (the
// window's own when it has no frame), as X places a window.
struct WindowPlace {
    int x = 0, y = 0;
    int width = windowWidth, height = windowHeight;
};

// Where the window opens in area, framed by frame: windowWidth x
// windowHeight where that fits, else the largest size of the picture's
// shape that does; at (100, 100), or moved the least for the whole framed
// window to lie in the area.
WindowPlace openingWindowPlace(const ScreenArea& area, const FrameExtents& frame);

// The picture's rectangle in the window as it is now, and the window's size:
// windowWidth x windowHeight until the window reports another.
PictureRectangle pictureRectangle();
int framebufferWidth();
int framebufferHeight();
// The window's new size, as its reshape callback hears it.
void noteWindowSize(int windowPixelsWide, int windowPixelsHigh);

// A pointer position in window pixels (y from the top, as GLUT reports it)
// in the picture's pixels (still y from the top); outside the picture it
// lies beyond 0 or 1024 / 768.
void windowToPicture(int& x, int& y);

// Initialises GLUT and opens a double-buffered RGBA window with a depth
// buffer, windowWidth x windowHeight at (100, 100) or, on a screen or a
// desktop too small for that, as openingWindowPlace fits it, titled title, with
// blending switched on, held keys acting once (no auto-repeat) and the
// picture kept whole when the window is resized. The tests and the benchmark
// open theirs this way.
void createGameWindow(int& argc, char** argv, const char* title);

// The programs' window: createGameWindow titled with the path the program
// was started by (also as UTF-8 for window managers), watched for its loss
// (WindowLoss.h) and for losing the keyboard (KeyboardFocus.h), then the
// greeting on standard output.
void openGameWindow(int& argc, char** argv);

// Shows the frame drawn in the back buffer and waits for GL to finish it.
// Left to overlap with the next frame, a software rasteriser's presentation
// competes with it for the processor, and every so often a frame takes half
// as long again (the benchmark's main-loop run at 512: a median of 22 ms,
// but 33 frames a second instead of 44).
void showFrame();

// Destroys the window and closes the display, while every library the GL
// driver uses is still whole. Left to freeglut's own exit handler, closing
// the display can make llvmpipe compile one last shader after the compiler's
// static objects were destroyed, and the process crashes on its way out (seen
// on a busy machine). Every program and test main calls it before it returns;
// without a window it does nothing.
void closeGameWindow();
