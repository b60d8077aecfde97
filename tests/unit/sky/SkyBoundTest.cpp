// The rows the terrain surely covers, for the sky drawn behind the scene.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/GameViewMatrices.h"
#include "support/GlStateGuard.h"
#include "support/TempWorkDir.h"
#include "support/TestPictures.h"
#include "terrain/Terrain.h"
#include "sky/SkyBound.h"

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
    // The horizon's own row is never left out.
    double wx, wy, wz;
    gluProject(500, 14, 1e6, chase.modelview, chase.projection, chase.viewport, &wx, &wy, &wz);
    EXPECT_LT(row, wy);
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

// The lowest window row where the drawn terrain leaves the background open.
// A single uncovered pixel inside the ground is a crack the rasteriser left
// between two triangles (softpipe leaves some), not open background.
int lowestOpenRow(const Terrain& terrain, const View& view) {
    GlStateGuard guard;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(view.projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(view.modelview);
    terrain.draw();
    std::vector<float> depth(1024 * 768);
    glReadPixels(0, 0, 1024, 768, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    auto open = [&](int x, int row) {
        return x >= 0 && x < 1024 && row >= 0 && row < 768 && depth[row * 1024 + x] >= 1.0f;
    };
    for (int row = 0; row < 768; ++row)
        for (int x = 0; x < 1024; ++x)
            if (open(x, row) && (open(x - 1, row) || open(x + 1, row) || open(x, row - 1) || open(x, row + 1)))
                return row;
    return 768;
}

// A bowl: a rim 18 to 22 units high round a floor of 2 to 4. Seen from
// inside, the rim hides the land beyond long before the floor's plane would
// prove it: the terrain's edge gives a bound close to the drawn picture, and
// never above it.
TEST(SkyBound, TheTerrainsEdgeBoundsTheOpenRowsOfTheDrawnPicture) {
    TempWorkDir dir;
    const uint32_t size = 64;
    writeTestPicture("textures/Bowl.bmp", size, size, [&](uint32_t x, uint32_t z) {
        const bool rim = x == 0 || z == 0 || x == size - 1 || z == size - 1;
        const int wobble = static_cast<int>((x * 7 + z * 13) % 40);
        return Rgb{static_cast<uint8_t>(rim ? 180 + wobble : 20 + wobble / 2), 0, 0};
    });
    Terrain terrain("Bowl.bmp");
    const TerrainBounds plane{64, 64, terrain.getMinHeight(), terrain.getMaxHeight()};
    TerrainBounds edge = plane;
    edge.heights = terrain.getHeights().data();
    for (int heading = 0; heading < 8; ++heading) {
        const double angle = heading * 0.785398 + 0.3;
        const double c = std::cos(angle), s = std::sin(angle), eyeX = 32 - 12 * c, eyeZ = 32 - 12 * s;
        const View view = gameViewMatrices(eyeX, 26, eyeZ, eyeX + 20 * c, 12, eyeZ + 20 * s);
        const int open = lowestOpenRow(terrain, view);
        const int byPlane = lowestRow(view, plane);
        const int byEdge = lowestRow(view, edge);
        EXPECT_LE(byEdge, open) << "heading " << heading << ": the bound cuts into the background";
        EXPECT_GE(byEdge, byPlane) << "heading " << heading;
        EXPECT_GE(byEdge, open - 4) << "heading " << heading << ": the edge's bound is loose";
        EXPECT_LT(byPlane, open - 40) << "heading " << heading << ": the floor's plane alone proves little";
    }
}

}  // namespace
