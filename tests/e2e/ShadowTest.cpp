// Shadows and their overlay in the real game: 'x' switches the shadows,
// 's' shows the shadow picture in the lower-left corner.
#include <gtest/gtest.h>

#include "support/GeneratedAssets.h"
#include "support/Programs.h"
#include "support/RunningProgram.h"

namespace {

TEST(Shadows, OverlayShowsTheShadowPictureAndXSwitchesTheShadows) {
    RunningProgram game(programPath("brellow"), generatedAssetsDir(), {"BRELLOW_SEED=18"});
    ASSERT_TRUE(game.waitForFirstFrame()) << game.process.standardError();

    // Shadows on, the sun well up: the overlay shows dark spots where the
    // objects stand, on white elsewhere.
    game.key("s");
    Screenshot shadowed;
    EXPECT_TRUE(game.waitForPicture(showsShadowsInOverlay, shadowed, 60000))
        << "no shadows of the 61 objects in the picture";
    game.keep(shadowed, "overlay-shadows");

    // Shadows off: the overlay is a plain white rectangle.
    game.key("x");
    auto allWhite = [](const Screenshot& s) {
        return overlayPixels(s, [](int b) { return b >= 250; }) == overlaySize * overlaySize;
    };
    Screenshot unshadowed;
    EXPECT_TRUE(game.waitForPicture(allWhite, unshadowed)) << "the overlay kept its shadows with shadows off";
    game.keep(unshadowed, "overlay-blank");
    EXPECT_LT(brightness(unshadowed.at(overlayLeft + overlaySize + 3, overlayTop + 60)), 250)
        << "the white rectangle is wider than the terrain";

    game.key("q");
    ASSERT_TRUE(game.process.waitForExit(10000));
    EXPECT_EQ(game.process.exitStatus(), 0);
}

}  // namespace
