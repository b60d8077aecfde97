// The rows the terrain surely covers, for the sky drawn behind the scene.
#include <gtest/gtest.h>

#include "sky/SkyBound.h"
#include "support/GameViewMatrices.h"

namespace {

using View = GameViewMatrices;

int lowestRow(const View& view, const TerrainBounds& terrain) {
    return lowestBackgroundRow(view.modelview, view.projection, view.viewport, terrain);
}

const TerrainBounds wideFlatLand{1000, 1000, 0, 2};

TEST(SkyBound, AChaseViewOverWideLandLeavesOutTheGroundBelowTheHorizon) {
    // Looking down at 25 degrees: the horizon stands above the middle of the
    // window, and nothing below the lowest row the land can leave open.
    View chase = gameViewMatrices(500, 14, 475, 500, 2, 500);
    int row = lowestRow(chase, wideFlatLand);
    EXPECT_GT(row, 384);
    EXPECT_LT(row, 768);
}

TEST(SkyBound, ANarrowTerrainCoversLessOfTheWindow) {
    View chase = gameViewMatrices(64, 20, 40, 64, 8, 67);
    int wide = lowestRow(chase, {1000, 1000, 6, 15});
    int narrow = lowestRow(chase, {128, 128, 6, 15});
    EXPECT_GT(narrow, 0);
    EXPECT_LT(narrow, wide);
}

TEST(SkyBound, NothingIsLeftOutWhenItCannotBeProven) {
    // The eye outside the footprint, too low over the highest point, or a
    // rolled view: the whole window stays open to the sky.
    EXPECT_EQ(lowestRow(gameViewMatrices(-5, 14, 500, 20, 2, 500), wideFlatLand), 0);
    EXPECT_EQ(lowestRow(gameViewMatrices(500, 2.5, 475, 500, 2, 500), wideFlatLand), 0);
    EXPECT_EQ(lowestRow(gameViewMatrices(500, 14, 475, 500, 2, 500, 10), wideFlatLand), 0);
}

TEST(SkyBound, ALevelViewOverFlatLandLeavesOutTheLowerHalf) {
    int row = lowestRow(gameViewMatrices(500, 3.6, 475, 500, 3.6, 500), wideFlatLand);
    EXPECT_GT(row, 300);
    EXPECT_LE(row, 384);
}

}  // namespace
