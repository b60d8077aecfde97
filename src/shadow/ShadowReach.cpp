#include "shadow/ShadowReach.h"

#include <algorithm>
#include <cmath>

void makeShadowMatrix(const Vector3& towardsSun, float matrix[16]) {
    std::fill(matrix, matrix + 16, 0.0f);
    matrix[0] = 1.0f;
    matrix[4] = -towardsSun.x / towardsSun.y;
    matrix[6] = -towardsSun.z / towardsSun.y;
    matrix[10] = 1.0f;
    matrix[15] = 1.0f;
}

// The object's points lie within its drawn radius r of its position; the
// shadow matrix sends a point p of its turned model to (p.x, p.z) - p.y
// (lx/ly, lz/ly), scaled and moved with it. So the silhouette lies within r
// of the segment from position - r k to position + r k, with
// k = (lx/ly, lz/ly), which the matrix holds negated.
GroundCapsule silhouetteReach(const Vector3& p, float drawnRadius, const float matrix[16]) {
    const float r = std::fabs(drawnRadius);
    const float kx = -matrix[4], kz = -matrix[6];
    return {p.x - r * kx, p.z - r * kz, p.x + r * kx, p.z + r * kz, r};
}

ShadowCells cellsUnder(const GroundCapsule& reach, uint32_t width, uint32_t depth) {
    const float r = reach.radius + shadowReachMargin;
    const float lowX = std::min(reach.x0, reach.x1) - r, highX = std::max(reach.x0, reach.x1) + r;
    const float lowZ = std::min(reach.z0, reach.z1) - r, highZ = std::max(reach.z0, reach.z1) + r;
    const float w = static_cast<float>(width), d = static_cast<float>(depth);
    if (!std::isfinite(r + lowX + highX + lowZ + highZ))
        return {0, static_cast<int>(width), 0, static_cast<int>(depth)};
    // Cell i covers x from W-1-i to W-i: x in [lowX, highX] meets rows W-highX-1 .. W-lowX.
    auto clamp = [](float value, float limit) { return static_cast<int>(std::max(0.0f, std::min(value, limit))); };
    return {clamp(std::floor(w - highX - 1), w), clamp(std::ceil(w - lowX) + 1, w),
            clamp(std::floor(d - highZ - 1), d), clamp(std::ceil(d - lowZ) + 1, d)};
}
