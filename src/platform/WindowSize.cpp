// The window's size and where the picture lies in it: plain arithmetic on
// the size the window last reported, kept apart from the window's GLUT and
// X code so that the frame's record can be worked out without them.
#include "platform/GameWindow.h"

namespace {
// The window's size as the reshape callback last reported it, for the whole
// process: GLUT tells it only to that callback.
int windowPixelsWide = windowWidth;
int windowPixelsHigh = windowHeight;
}  // namespace

void noteWindowSize(int wide, int high) {
    windowPixelsWide = wide;
    windowPixelsHigh = high;
}

PictureRectangle pictureRectangleIn(int wide, int high) {
    PictureRectangle picture;
    if (wide <= 0 || high <= 0) return {0, 0, 0, 0};
    // The wider of the two fits: bars left and right, else above and below.
    if (static_cast<long>(wide) * windowHeight > static_cast<long>(high) * windowWidth) {
        picture.height = high;
        picture.width = static_cast<int>(static_cast<long>(high) * windowWidth / windowHeight);
    } else {
        picture.width = wide;
        picture.height = static_cast<int>(static_cast<long>(wide) * windowHeight / windowWidth);
    }
    picture.x = (wide - picture.width) / 2;
    picture.y = (high - picture.height) / 2;
    return picture;
}

PictureRectangle pictureRectangle() { return pictureRectangleIn(windowPixelsWide, windowPixelsHigh); }
int framebufferWidth() { return windowPixelsWide; }
int framebufferHeight() { return windowPixelsHigh; }

void windowToPicture(int& x, int& y) {
    const PictureRectangle picture = pictureRectangle();
    if (picture.width <= 0 || picture.height <= 0) return;
    // The picture's top edge in window rows counted from the top.
    const int top = windowPixelsHigh - picture.y - picture.height;
    x = static_cast<int>((static_cast<long>(x) - picture.x) * windowWidth / picture.width);
    y = static_cast<int>((static_cast<long>(y) - top) * windowHeight / picture.height);
}
