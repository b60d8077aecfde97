#pragma once
// Which quads of a height-map grid the camera may see. Each row of quads is
// cut into short pieces whose height ranges are kept with the grid, so that
// every frame the runs of quads of each row can be chosen that take in each
// piece neither wholly outside the view nor hidden behind nearer ground
// (HiddenGround.h). The runs keep the rows' order: the quads sent go in the
// same order as when the whole grid is drawn, so ties in depth fall the same
// way and the picture does not change.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "terrain/HiddenGround.h"
#include "terrain/QuadPieces.h"

class ViewVolume;

// A stretch of ground, seen from above: the points (x, z) within radius of
// the segment from (x0, z0) to (x1, z1).
struct GroundCapsule {
    float x0, z0, x1, z1;
    float radius;
};

// A run of chosen quads. Quads are numbered row by row along +z, width - 1
// to a row, in the order the whole grid is drawn.
struct QuadRun {
    uint32_t first;
    uint32_t count;
};

// The quads one frame draws. One record is reused from frame to frame: its
// buffers grow with the first frame of a grid and are only refilled after that.
class VisibleQuads {
public:
    // Chooses the runs for this view. Given the grid's heights (index x + z *
    // width), pieces that nearer ground hides are left out too.
    void select(const QuadPieces& pieces, const ViewVolume& view, const float* heights = nullptr);
    // Chooses every quad, in one run.
    void selectAll(const QuadPieces& pieces);

    // The runs in drawing order. Runs that join end to start are merged.
    const std::vector<QuadRun>& runs() const { return runs_; }
    // Were quads hidden behind nearer ground left out? The runs are then
    // pieces of rows, cut where such ground lies.
    bool leftOutHiddenGround() const { return hiddenLeftOut; }
    // Visits each chosen quad, or those of one run, in drawing order as
    // quad(x, z), its corner nearest the grid's origin.
    template <typename Quad>
    void forEachQuad(Quad quad) const {
        for (const QuadRun& run : runs_) forEachQuadIn(run, quad);
    }
    template <typename Quad>
    void forEachQuadIn(const QuadRun& run, Quad quad) const;

    // Does the capsule come within margin of the footprint of a chosen quad?
    // Quad (x, z) covers x .. x + 1, z .. z + 1. May answer yes when it does
    // not quite, never no when it does. Each row's runs are tested, not the
    // span from its first chosen quad to its last, so ground between two
    // hills that hidden ground left out is not reached.
    bool reaches(const GroundCapsule& capsule, float margin) const;

private:
    void startSelection(const QuadPieces& pieces);
    void addRun(uint32_t row, uint32_t first, uint32_t end);
    void addRunsOfRow(uint32_t row);

    // At most this many runs a row; the last takes in the rest of the row.
    static constexpr uint32_t runsPerRow = 8;

    uint32_t quadsPerRow = 0;
    uint32_t rows = 0;
    std::vector<QuadRun> runs_;      // capacity for one run a row, kept between frames
    static constexpr uint32_t noRun = UINT32_MAX;
    std::vector<uint32_t> rowRun;    // the first run that holds a chosen quad of each row, or noRun
    std::vector<uint32_t> firstPiece, endPiece;  // the pieces of each row within the view
    HiddenGround hiddenGround;
    bool hiddenLeftOut = false;
};

template <typename Quad>
void VisibleQuads::forEachQuadIn(const QuadRun& run, Quad quad) const {
    uint32_t x = run.first % quadsPerRow, z = run.first / quadsPerRow;
    for (uint32_t n = 0; n < run.count; ++n) {
        quad(x, z);
        if (++x == quadsPerRow) {
            x = 0;
            ++z;
        }
    }
}
