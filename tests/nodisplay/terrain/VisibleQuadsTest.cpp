// Which runs of terrain quads are sent for a view: every piece of a row that
// may be seen is inside a run, rows keep their order, and ground wholly
// outside the view is left out.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

#include "support/GameViewMatrices.h"
#include "terrain/VisibleQuads.h"
#include "view/ViewVolume.h"

namespace {

// 81 x 3 grid points: two rows of 80 quads, ten pieces of 8 quads a row,
// flat until a test raises a point.
constexpr uint32_t width = 81, depth = 3;
using Runs = std::vector<std::pair<int, int>>;

struct Grid {
    std::vector<float> heights;
    QuadPieces pieces;
    VisibleQuads quads;

    explicit Grid(uint32_t w = width, uint32_t d = depth) : heights(w * d, 0.0f) { pieces.prepare(heights, w, d); }
    // The runs chosen for a view, as (first quad, quad count).
    Runs select(const ViewVolume& view) {
        quads.select(pieces, view);
        Runs runs;
        for (const QuadRun& run : quads.runs()) runs.push_back({run.first, run.count});
        return runs;
    }
};

TEST(VisibleQuads, OnlyThePiecesAcrossTheViewAreSentRowByRow) {
    Grid grid;
    // From 30 units in front of the middle, the view is 33 units across at
    // the grid: x from 23.4 to 56.6, that is pieces 2 to 7 (quads 16 to 63).
    EXPECT_EQ(grid.select(gameViewVolume(40, 2, -30, 40, 2, 0)), (Runs{{16, 48}, {80 + 16, 48}}));
    // From far back the whole grid is seen: the two rows join into one run.
    EXPECT_EQ(grid.select(gameViewVolume(40, 30, -200, 40, 0, 1)), (Runs{{0, 160}}));
    // Looking the other way nothing is sent, and the runs of the previous
    // view are gone.
    EXPECT_TRUE(grid.select(gameViewVolume(40, 2, -30, 40, 2, -60)).empty());
}

TEST(VisibleQuads, APeakThatRisesIntoTheViewBringsBackItsPieces) {
    Grid grid;
    // Looking upwards from (40, 10, -30): flat ground at height 0 lies below
    // the view.
    const ViewVolume upwards = gameViewVolume(40, 10, -30, 40, 30, 0);
    EXPECT_TRUE(grid.select(upwards).empty());

    // A peak at grid point (40, 1) is a corner of pieces 4 and 5 in both rows.
    grid.heights[40 + 1 * width] = 25.0f;
    grid.pieces.prepare(grid.heights, width, depth);
    EXPECT_EQ(grid.select(upwards), (Runs{{32, 16}, {80 + 32, 16}}));
}

// Looking level along +z from (40, 8, 5) over flat ground with a ridge 10
// high along rows 14 to 16: the ground behind the ridge is left out, but for the
// quads of a tower that rises above it, and only when the eye stands above
// the ground over the grid.
TEST(VisibleQuads, GroundBehindARidgeIsLeftOutUnlessItRisesAboveIt) {
    constexpr uint32_t w = 81, d = 61;
    Grid grid(w, d);
    for (uint32_t x = 0; x < w; ++x)
        for (uint32_t z = 14; z <= 16; ++z) grid.heights[x + z * w] = 10.0f;
    grid.heights[40 + 40 * w] = 40.0f;  // a corner of quads 39 and 40 of rows 39 and 40
    auto rowsDrawn = [&](double eyeY, double eyeZ, double eyeX = 40) {
        grid.pieces.prepare(grid.heights, w, d);
        grid.quads.select(grid.pieces, gameViewVolume(eyeX, eyeY, eyeZ, eyeX, eyeY, 50), grid.heights.data());
        std::vector<uint32_t> quadsInRow(d - 1, 0);
        grid.quads.forEachQuad([&](uint32_t, uint32_t z) { ++quadsInRow[z]; });
        return quadsInRow;
    };
    std::vector<uint32_t> rows = rowsDrawn(8, 5);
    EXPECT_GT(rows[13], 0u) << "the ridge's near side";
    for (uint32_t z = 18; z < d - 1; ++z) EXPECT_EQ(rows[z], z == 39 || z == 40 ? 2u : 0u) << "row " << z;
    // The eye on the corner of a quad beside a piece: that quad has no direction.
    EXPECT_EQ(rowsDrawn(8, 5, 39)[30], 0u);

    // A second tower: rows 39 and 40 keep quads 24, 25, 39 and 40, and a
    // shadow on the hidden ground between them reaches none of them.
    grid.heights[25 + 40 * w] = 40.0f;
    EXPECT_EQ(rowsDrawn(8, 5)[39], 4u);
    EXPECT_FALSE(grid.quads.reaches({32.5f, 39.5f, 32.5f, 40.5f, 1.0f}, 0.5f));
    EXPECT_TRUE(grid.quads.reaches({27.2f, 39.5f, 27.2f, 40.5f, 1.0f}, 0.5f));
    grid.heights[25 + 40 * w] = 0.0f;

    // The eye under the ground it stands over, or off the grid: nothing can be proved hidden.
    grid.heights[40 + 5 * w] = 9.0f;
    EXPECT_GT(rowsDrawn(8, 5)[30], 0u) << "the eye under the ground";
    grid.heights[40 + 5 * w] = 0.0f;
    EXPECT_GT(rowsDrawn(8, -5)[30], 0u) << "the eye off the grid";
}

TEST(VisibleQuads, GridsTooSmallForAQuadSendNothing) {
    for (auto [w, d] : {std::pair<uint32_t, uint32_t>{1, 5}, {5, 1}, {0, 0}})
        EXPECT_TRUE(Grid(w, d).select(gameViewVolume(2, 5, -10, 2, 0, 2)).empty()) << w << " x " << d;
}

}  // namespace

// In the view from (40, 2, -30) the chosen quads are x 16 .. 63 of rows 0
// and 1: ground from x = 16 to 64 and z = 0 to 2.
TEST(VisibleQuads, ACapsuleReachesTheChosenQuadsOnlyWhenItComesNearThem) {
    Grid grid;
    ASSERT_EQ(grid.select(gameViewVolume(40, 2, -30, 40, 2, 0)).size(), 2u);
    const VisibleQuads& quads = grid.quads;
    const float margin = 0.5f;

    const std::tuple<GroundCapsule, bool, const char*> cases[] = {
        {{40, 1, 40, 1, 0.1f}, true, "a point on a chosen quad"},
        {{40, 5, 40, 5, 2.0f}, false, "beyond the last row by 3"},
        {{40, 5, 40, 5, 2.6f}, true, "its radius and the margin bridge the 3"},
        {{5, 1, 14, 1, 1.0f}, false, "beside the run, short of x = 16"},
        {{5, 1, 14, 1, 1.6f}, true, "beside the run, within reach of x = 16"},
        {{70, 1, 75, 1, 5.0f}, false, "past the run's end at x = 64"},
        {{70, 1, 75, 1, 5.6f}, true, "past the run's end, within reach of it"},
        {{0, -20, 80, 20, 0.1f}, true, "a long shadow of something far off, crossing the rows"},
        {{-20, -20, 20, 20, 0.1f}, false, "crossing the rows (z 0 .. 2) at x 0 .. 4, outside the run"},
        {{20, 20, -20, -20, 0.1f}, false, "the same stretch with its ends reversed"},
        {{30, -50, 31, 50, 0.1f}, true, "a steep segment across the run"},
        {{NAN, 1, 40, 1, 0.1f}, true, "nothing to go by: it may reach"},
        {{40, 1, 40, 1, INFINITY}, true, "nothing to go by: it may reach"},
    };
    for (const auto& [capsule, reaches, why] : cases) EXPECT_EQ(quads.reaches(capsule, margin), reaches) << why;

    // Looking away, nothing is chosen and nothing reaches.
    grid.select(gameViewVolume(40, 2, -30, 40, 2, -60));
    EXPECT_FALSE(quads.reaches({40, 1, 40, 1, 100.0f}, margin));
}
