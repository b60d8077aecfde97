// Which spheres and boxes the camera cannot see at all.
#include <gtest/gtest.h>

#include "support/GameViewMatrices.h"
#include "view/ViewVolume.h"

namespace {

TEST(ViewVolume, OnlySpheresWhollyOutsideAreExcluded) {
    const ViewVolume view = gameViewVolume(0, 0, 0, 0, 0, 1);  // the game's, along +z from the origin
    EXPECT_FALSE(view.excludesSphere({0, 0, 10}, 1));      // straight ahead
    EXPECT_TRUE(view.excludesSphere({0, 0, -10}, 1));      // behind the eye
    EXPECT_TRUE(view.excludesSphere({0, 0, 1100}, 1));     // beyond the far plane
    EXPECT_FALSE(view.excludesSphere({0, 0, 0.5f}, 1));    // reaches past the near plane
    // 45 degrees up and down; 60 degrees across at 4:3: at z = 10 the view
    // reaches 4.14 up and 5.52 across.
    EXPECT_TRUE(view.excludesSphere({0, 6, 10}, 1));
    EXPECT_FALSE(view.excludesSphere({0, 5, 10}, 1));      // its edge pokes in
    EXPECT_TRUE(view.excludesSphere({-7.5f, 0, 10}, 1));
    EXPECT_FALSE(view.excludesSphere({-6.3f, 0, 10}, 1));
}

TEST(ViewVolume, OnlyBoxesWhollyOutsideAreExcluded) {
    const ViewVolume view = gameViewVolume(0, 0, 0, 0, 0, 1);  // the game's, along +z from the origin
    EXPECT_FALSE(view.excludesBox({-1, -1, 9}, {1, 1, 11}));      // straight ahead
    EXPECT_TRUE(view.excludesBox({-1, -1, -11}, {1, 1, -9}));     // behind the eye
    EXPECT_FALSE(view.excludesBox({-1, -1, -11}, {1, 1, 11}));    // reaches from behind to ahead
    // Above the view at z = 10 (it reaches 4.14 up) unless it rises into it.
    EXPECT_TRUE(view.excludesBox({-1, 4.5f, 9.5f}, {1, 9, 10}));
    EXPECT_FALSE(view.excludesBox({-1, 3.9f, 9.5f}, {1, 9, 10}));
    // A box whose corners all lie outside, yet which spans the view, is kept.
    EXPECT_FALSE(view.excludesBox({-100, -100, 9}, {100, 100, 10}));
}

}  // namespace
