// Shadows and their overlay in the real game: 'x' switches the shadows,
// 's' shows the shadow picture in the lower-left corner.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/GeneratedAssets.h"
#include "support/Programs.h"
#include "support/RunningProgram.h"

namespace {

// The overlay of a 128 x 128 terrain: D x W pixels with the lower-left corner
// at (20, 20) from the window's bottom, that is rows 620 to 747 from the top.
constexpr int overlayLeft = 20, overlayTop = 768 - 20 - 128, overlaySize = 128;

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The overlay's pixels whose brightness passes.
int overlayPixels(const Screenshot& shot, bool (*passes)(int brightness)) {
    int count = 0;
    for (int y = overlayTop; y < overlayTop + overlaySize; ++y)
        for (int col = overlayLeft; col < overlayLeft + overlaySize; ++col)
            count += passes(brightness(shot.at(col, y)));
    return count;
}

TEST(Shadows, OverlayShowsTheShadowPictureAndXSwitchesTheShadows) {
    RunningProgram game(programPath("brellow"), generatedAssetsDir(), {"BRELLOW_SEED=18"});
    ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();
    pause(7000);  // the sun well up: clear shadows

    // Shadows off: the overlay is a plain white rectangle.
    game.key("x");
    game.key("s");
    pause(500);
    Screenshot unshadowed = game.shot();
    RunningProgram::keep(unshadowed, "overlay-blank");
    EXPECT_EQ(overlayPixels(unshadowed, [](int b) { return b >= 250; }), overlaySize * overlaySize);
    EXPECT_LT(brightness(unshadowed.at(overlayLeft + overlaySize + 3, overlayTop + 60)), 250)
        << "the white rectangle is wider than the terrain";

    // Shadows on: the overlay shows dark spots where the objects stand, on
    // white elsewhere.
    game.key("x");
    pause(500);
    Screenshot shadowed = game.shot();
    RunningProgram::keep(shadowed, "overlay-shadows");
    EXPECT_GT(overlayPixels(shadowed, [](int b) { return b < 100; }), 60)
        << "no shadows of the 61 objects in the picture";
    EXPECT_GT(overlayPixels(shadowed, [](int b) { return b >= 250; }), overlaySize * overlaySize * 8 / 10);

    game.key("q");
    ASSERT_TRUE(game.process.waitForExit(10000));
    EXPECT_EQ(game.process.exitStatus(), 0);
}

}  // namespace
