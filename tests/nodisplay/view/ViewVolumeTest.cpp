// Which spheres and boxes the camera cannot see at all, and which ground
// falls between the pixel centres.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "support/GameViewMatrices.h"
#include "view/PixelCentres.h"
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

// Looking level along +z from 2 units up, the view meets the ground from
// 2 / tan 22.5 = 4.83 units ahead out to the far plane, 1000 units, and
// 577 units either side there; it never rises to 600.
TEST(ViewVolume, ReachesTheGroundBetweenTwoHeightsOnlyWhereItsVolumeDoes) {
    const ViewVolume view = gameViewVolume(0, 2, 0, 0, 2, 1);
    ViewVolume::GroundRectangle reach{};
    ASSERT_TRUE(view.reachesGround(0, 0, reach));
    EXPECT_NEAR(reach.lowZ, 4.83, 0.01);
    EXPECT_NEAR(reach.highZ, 1000, 0.1);
    EXPECT_NEAR(reach.highX, -reach.lowX, 0.1);
    EXPECT_NEAR(reach.highX, 1000 * std::tan(std::atan(std::tan(M_PI / 8) * 4 / 3)), 1);
    EXPECT_FALSE(view.reachesGround(600, 700, reach));
    EXPECT_TRUE(ViewVolume().reachesGround(600, 700, reach)) << "unassigned";
    EXPECT_EQ(reach.lowX, -INFINITY);
}

// From 2 units above flat ground, looking level along +z: a unit of ground
// at distance z lies 4.828 * 384 / z pixels below the middle row, so the
// strip from 400 to 401 lies within 378.87 .. 378.88 (pixel centres less a
// half) and covers no centre, while the one from 411.5 to 412.5 takes in 379.
TEST(PixelCentres, OnlyGroundBetweenThePixelCentresIsMissed) {
    const GameViewMatrices m = gameViewMatrices(0.3, 2, 0, 0.3, 2, 100);
    const PixelCentres centres(m.projection, m.modelview, m.viewport);
    struct Strip {
        float corners[4][3];
    };
    auto strip = [](float z0, float z1, float y = 0) {
        return Strip{{{0, y, z0}, {0, y, z1}, {1, y, z1}, {1, y, z0}}};
    };
    const std::tuple<Strip, bool, const char*> cases[] = {
        {strip(400, 401), true, "between two rows of centres"},
        {strip(411.5f, 412.5f), false, "across a row of centres"},
        {strip(10, 11), false, "near, many pixels high"},
        {strip(-5, -4), false, "behind the eye"},
        {strip(400, 401, NAN), false, "no number to go by"},
    };
    for (const auto& [ground, missed, what] : cases) EXPECT_EQ(centres.missedBy(ground.corners), missed) << what;
    EXPECT_FALSE(PixelCentres().missedBy(strip(400, 401).corners)) << "unassigned";
    // A box: flat, it is the strip; a unit high, it reaches 2.3 pixels up.
    const Vector3 low{0, 0, 400}, flat{8, 0, 401}, tall{8, 1, 401};
    EXPECT_EQ(std::pair(centres.missedByBox(low, flat), centres.missedByBox(low, tall)), std::pair(true, false));
}
