// Which runs of terrain quads are sent for a view: every piece of a row that
// may be seen is inside a run, rows keep their order, and ground wholly
// outside the view is left out.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "support/GameViewMatrices.h"
#include "terrain/VisibleQuads.h"
#include "view/ViewVolume.h"

namespace {

// The game's projection from an eye looking at a point.
ViewVolume lookingAt(double eyeX, double eyeY, double eyeZ, double atX, double atY, double atZ) {
    const GameViewMatrices view = gameViewMatrices(eyeX, eyeY, eyeZ, atX, atY, atZ);
    return ViewVolume(view.projection, view.modelview);
}

// Runs as (first quad, quad count).
std::vector<std::pair<int, int>> runsIn(const VisibleQuads& quads) {
    std::vector<std::pair<int, int>> runs;
    for (const QuadRun& run : quads.runs()) runs.push_back({run.first, run.count});
    return runs;
}

// 81 x 3 grid points: two rows of 80 quads, ten pieces of 8 quads a row.
constexpr uint32_t width = 81, depth = 3;
using Runs = std::vector<std::pair<int, int>>;

TEST(VisibleQuads, OnlyThePiecesAcrossTheViewAreSentRowByRow) {
    std::vector<float> heights(width * depth, 0.0f);
    QuadPieces pieces;
    pieces.prepare(heights, width, depth);
    VisibleQuads quads;
    // From 30 units in front of the middle, the view is 33 units across at
    // the grid: x from 23.4 to 56.6, that is pieces 2 to 7 (quads 16 to 63).
    quads.select(pieces, lookingAt(40, 2, -30, 40, 2, 0));
    EXPECT_EQ(runsIn(quads), (Runs{{16, 48}, {80 + 16, 48}}));

    // From far back the whole grid is seen: the two rows join into one run.
    quads.select(pieces, lookingAt(40, 30, -200, 40, 0, 1));
    EXPECT_EQ(runsIn(quads), (Runs{{0, 160}}));

    // Looking the other way nothing is sent, and the runs of the previous
    // view are gone.
    quads.select(pieces, lookingAt(40, 2, -30, 40, 2, -60));
    EXPECT_TRUE(runsIn(quads).empty());
}

TEST(VisibleQuads, APeakThatRisesIntoTheViewBringsBackItsPieces) {
    std::vector<float> heights(width * depth, 0.0f);
    QuadPieces pieces;
    VisibleQuads quads;
    // Looking upwards from (40, 10, -30): flat ground at height 0 lies below
    // the view.
    const ViewVolume upwards = lookingAt(40, 10, -30, 40, 30, 0);
    pieces.prepare(heights, width, depth);
    quads.select(pieces, upwards);
    EXPECT_TRUE(runsIn(quads).empty());

    // A peak at grid point (40, 1) is a corner of pieces 4 and 5 in both rows.
    heights[40 + 1 * width] = 25.0f;
    pieces.prepare(heights, width, depth);
    quads.select(pieces, upwards);
    EXPECT_EQ(runsIn(quads), (Runs{{32, 16}, {80 + 32, 16}}));
}

TEST(VisibleQuads, GridsTooSmallForAQuadSendNothing) {
    for (auto size : {std::pair<uint32_t, uint32_t>{1, 5}, {5, 1}, {0, 0}}) {
        std::vector<float> heights(size.first * size.second, 0.0f);
        QuadPieces pieces;
        pieces.prepare(heights, size.first, size.second);
        VisibleQuads quads;
        quads.select(pieces, lookingAt(2, 5, -10, 2, 0, 2));
        EXPECT_TRUE(quads.runs().empty()) << size.first << " x " << size.second;
    }
}

}  // namespace

// In the view from (40, 2, -30) the chosen quads are x 16 .. 63 of rows 0
// and 1: ground from x = 16 to 64 and z = 0 to 2.
TEST(VisibleQuads, ACapsuleReachesTheChosenQuadsOnlyWhenItComesNearThem) {
    std::vector<float> heights(width * depth, 0.0f);
    QuadPieces pieces;
    pieces.prepare(heights, width, depth);
    VisibleQuads quads;
    quads.select(pieces, lookingAt(40, 2, -30, 40, 2, 0));
    const float margin = 0.5f;

    EXPECT_TRUE(quads.reaches({40, 1, 40, 1, 0.1f}, margin)) << "a point on a chosen quad";
    EXPECT_FALSE(quads.reaches({40, 5, 40, 5, 2.0f}, margin)) << "beyond the last row by 3";
    EXPECT_TRUE(quads.reaches({40, 5, 40, 5, 2.6f}, margin)) << "its radius and the margin bridge the 3";
    EXPECT_FALSE(quads.reaches({5, 1, 14, 1, 1.0f}, margin)) << "beside the run, short of x = 16";
    EXPECT_TRUE(quads.reaches({5, 1, 14, 1, 1.6f}, margin));
    EXPECT_FALSE(quads.reaches({70, 1, 75, 1, 5.0f}, margin)) << "past the run's end at x = 64";
    EXPECT_TRUE(quads.reaches({70, 1, 75, 1, 5.6f}, margin));

    // A long shadow of something far off, whose segment crosses the rows.
    EXPECT_TRUE(quads.reaches({0, -20, 80, 20, 0.1f}, margin));
    // Crossing the rows' z outside the run's x: the segment meets z = 0 .. 2
    // at x = 0 .. 4.
    EXPECT_FALSE(quads.reaches({-20, -20, 20, 20, 0.1f}, margin));
    // Reversed ends and a steep segment are the same stretch of ground.
    EXPECT_FALSE(quads.reaches({20, 20, -20, -20, 0.1f}, margin));
    EXPECT_TRUE(quads.reaches({30, -50, 31, 50, 0.1f}, margin));

    // Nothing to go by: it may reach.
    EXPECT_TRUE(quads.reaches({NAN, 1, 40, 1, 0.1f}, margin));
    EXPECT_TRUE(quads.reaches({40, 1, 40, 1, INFINITY}, margin));

    // Looking away, nothing is chosen and nothing reaches.
    quads.select(pieces, lookingAt(40, 2, -30, 40, 2, -60));
    EXPECT_FALSE(quads.reaches({40, 1, 40, 1, 100.0f}, margin));
}
