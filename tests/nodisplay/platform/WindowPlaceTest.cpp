// Where the window opens on screens and desktops of any size.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/GameWindow.h"

TEST(WindowPlace, TheWindowOpensWhollyOnTheScreenAndAsLargeAsFits) {
    // The screen's free area, the frame round the window, and x, y, width, height it opens at.
    const std::tuple<ScreenArea, FrameExtents, std::tuple<int, int, int, int>> cases[] = {
        {{0, 0, 1280, 1024}, {}, {100, 100, 1024, 768}},           // room to spare: as always
        {{0, 0, 1024, 768}, {}, {0, 0, 1024, 768}},                // just fits: moved onto the screen
        {{0, 0, 800, 600}, {}, {0, 0, 800, 600}},                  // smaller, of the picture's shape
        {{0, 0, 1366, 768}, {1, 1, 30, 1}, {100, 0, 982, 737}},    // a title bar takes 30 rows
        {{0, 27, 1366, 741}, {0, 0, 24, 0}, {100, 27, 956, 717}},  // and a panel at the top 27
        {{0, 0, 640, 1000}, {}, {0, 100, 640, 480}},
    };
    for (const auto& [area, frame, opens] : cases) {
        const WindowPlace got = openingWindowPlace(area, frame);
        EXPECT_EQ(std::tuple(got.x, got.y, got.width, got.height), opens) << area.width << " x " << area.height;
    }
}
