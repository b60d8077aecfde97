// The window's size and where the picture lies in it: plain arithmetic on
// the size the window last reported, kept apart from the window's GLUT and
// X code so that the frame's record can be worked out without them.
#include "platform/GameWindow.h"

#include <algorithm>

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

WindowPlace openingWindowPlace(const ScreenArea& area, const FrameExtents& frame) {
    constexpr int preferredCorner = 100;  // the window's usual place, in from the top-left
    const int roomWide = area.width - frame.left - frame.right;
    const int roomHigh = area.height - frame.top - frame.bottom;
    WindowPlace place;
    if (roomWide < windowWidth || roomHigh < windowHeight) {
        const PictureRectangle fitted = pictureRectangleIn(roomWide, roomHigh);
        place.width = std::max(fitted.width, 1);
        place.height = std::max(fitted.height, 1);
    }
    const int outerWide = place.width + frame.left + frame.right;
    const int outerHigh = place.height + frame.top + frame.bottom;
    place.x = std::max(area.x, std::min(preferredCorner, area.x + area.width - outerWide));
    place.y = std::max(area.y, std::min(preferredCorner, area.y + area.height - outerHigh));
    return place;
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
