#pragma once
// Which quads of a height-map grid the camera may see. Each row of quads is
// cut into short pieces whose height ranges are kept, so that every frame one
// run of quads per row can be chosen that takes in each piece not wholly
// outside the view. The runs keep the rows' order: the quads sent go in the
// same order as when the whole grid is drawn, so ties in depth fall the same
// way and the picture does not change.
#include <cstdint>
#include <vector>

class ViewVolume;

// A stretch of ground, seen from above: the points (x, z) within radius of
// the segment from (x0, z0) to (x1, z1).
struct GroundCapsule {
    float x0, z0, x1, z1;
    float radius;
};

class VisibleQuads {
public:
    static constexpr int verticesPerQuad = 4;

    // heights indexed x + z * width, one per grid point.
    void prepare(const std::vector<float>& heights, uint32_t width, uint32_t depth);
    // Chooses the runs for this view. Quads are numbered row by row along +z,
    // width - 1 to a row, as the terrain's vertex arrays hold them.
    void select(const ViewVolume& view);

    // The runs as glMultiDrawArrays takes them: first vertex and vertex count.
    // Runs that join end to start are merged into one.
    const int* firstVertices() const { return firsts.data(); }
    const int* vertexCounts() const { return counts.data(); }
    int runCount() const { return static_cast<int>(firsts.size()); }

    // Does the capsule come within margin of the footprint of a chosen quad?
    // Quad (x, z) covers x .. x + 1, z .. z + 1. May answer yes when it does
    // not quite, never no when it does.
    bool reaches(const GroundCapsule& capsule, float margin) const;

private:
    static constexpr uint32_t quadsPerPiece = 8;

    uint32_t quadsPerRow = 0;
    uint32_t rows = 0;
    uint32_t piecesPerRow = 0;
    std::vector<float> pieceLow;   // lowest corner height, per row then piece
    std::vector<float> pieceHigh;  // highest corner height
    std::vector<int> firsts;       // capacity for one run a row, kept between frames
    std::vector<int> counts;
    std::vector<uint32_t> rowFirst;  // chosen quads of each row: x from rowFirst to rowEnd - 1
    std::vector<uint32_t> rowEnd;    // equal to rowFirst when none
};
