// The rows the terrain surely covers, for the sky drawn behind the scene.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "view/SkyBound.h"

namespace {

struct View {
    double modelview[16];
    double projection[16];
    int viewport[4] = {0, 0, 1024, 768};
};

// A view of the game's projection from eye towards centre, with up +y, or
// rolled about the view axis.
View lookFrom(double ex, double ey, double ez, double cx, double cy, double cz, double roll = 0) {
    View view;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(45, 4.0 / 3.0, 1, 1000);
    glGetDoublev(GL_PROJECTION_MATRIX, view.projection);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotated(roll, 0, 0, 1);
    gluLookAt(ex, ey, ez, cx, cy, cz, 0, 1, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, view.modelview);
    glPopMatrix();
    return view;
}

int lowestRow(const View& view, const TerrainBounds& terrain) {
    return lowestBackgroundRow(view.modelview, view.projection, view.viewport, terrain);
}

const TerrainBounds wideFlatLand{1000, 1000, 0, 2};

TEST(SkyBound, AChaseViewOverWideLandLeavesOutTheGroundBelowTheHorizon) {
    // Looking down at 25 degrees: the horizon stands above the middle of the
    // window, and nothing below the lowest row the land can leave open.
    View chase = lookFrom(500, 14, 475, 500, 2, 500);
    int row = lowestRow(chase, wideFlatLand);
    EXPECT_GT(row, 384);
    EXPECT_LT(row, 768);
    // The horizon's own row is never left out.
    double wx, wy, wz;
    gluProject(500, 14, 1e6, chase.modelview, chase.projection, chase.viewport, &wx, &wy, &wz);
    EXPECT_LT(row, wy);
}

TEST(SkyBound, ANarrowTerrainCoversLessOfTheWindow) {
    View chase = lookFrom(64, 20, 40, 64, 8, 67);
    int wide = lowestRow(chase, {1000, 1000, 6, 15});
    int narrow = lowestRow(chase, {128, 128, 6, 15});
    EXPECT_GT(narrow, 0);
    EXPECT_LT(narrow, wide);
}

TEST(SkyBound, NothingIsLeftOutWhenItCannotBeProven) {
    // The eye outside the footprint, too low over the highest point, or a
    // rolled view: the whole window stays open to the sky.
    EXPECT_EQ(lowestRow(lookFrom(-5, 14, 500, 20, 2, 500), wideFlatLand), 0);
    EXPECT_EQ(lowestRow(lookFrom(500, 2.5, 475, 500, 2, 500), wideFlatLand), 0);
    EXPECT_EQ(lowestRow(lookFrom(500, 14, 475, 500, 2, 500, 10), wideFlatLand), 0);
}

TEST(SkyBound, ALevelViewOverFlatLandLeavesOutTheLowerHalf) {
    int row = lowestRow(lookFrom(500, 3.6, 475, 500, 3.6, 500), wideFlatLand);
    EXPECT_GT(row, 300);
    EXPECT_LE(row, 384);
}

}  // namespace
