#include "view/PixelCentres.h"

#include <cmath>

#include "view/ViewMatrices.h"

namespace {
// A vertex nearer the eye's plane than this (in w) is not projected: it may
// lie behind the eye, where the rectangle would not bound the quad.
constexpr float nearestW = 0.01f;
// Window pixels the rectangle is widened by on every side: the driver
// projects in its own order of operations and snaps to a sub-pixel grid.
constexpr float marginPixels = 1.0f / 16;
}  // namespace

PixelCentres::PixelCentres(const double projection[16], const double modelview[16], const int viewport[4]) {
    double clip[16];
    multiplyMatrices(projection, modelview, clip);
    // Window x = vx + (x / w + 1) vw / 2; less the half that puts pixel
    // centres on whole numbers, that is (a x + b w) / w with a = vw / 2 and
    // b = vx + vw / 2 - 1 / 2.
    const double ax = viewport[2] / 2.0, bx = viewport[0] + viewport[2] / 2.0 - 0.5;
    const double ay = viewport[3] / 2.0, by = viewport[1] + viewport[3] / 2.0 - 0.5;
    for (int c = 0; c < 4; ++c) {
        rowX[c] = static_cast<float>(ax * clip[c * 4] + bx * clip[c * 4 + 3]);
        rowY[c] = static_cast<float>(ay * clip[c * 4 + 1] + by * clip[c * 4 + 3]);
        rowW[c] = static_cast<float>(clip[c * 4 + 3]);
    }
    active = true;
}

bool PixelCentres::missedByPoints(const float (*points)[3], int count) const {
    if (!active) return false;
    float lowX = INFINITY, highX = -INFINITY, lowY = INFINITY, highY = -INFINITY;
    for (int i = 0; i < count; ++i) {
        const float x = points[i][0], y = points[i][1], z = points[i][2];
        const float w = rowW[0] * x + rowW[1] * y + rowW[2] * z + rowW[3];
        if (!(w > nearestW)) return false;  // NaN too
        const float px = (rowX[0] * x + rowX[1] * y + rowX[2] * z + rowX[3]) / w;
        const float py = (rowY[0] * x + rowY[1] * y + rowY[2] * z + rowY[3]) / w;
        if (!std::isfinite(px) || !std::isfinite(py)) return false;
        lowX = px < lowX ? px : lowX, highX = px > highX ? px : highX;
        lowY = py < lowY ? py : lowY, highY = py > highY ? py : highY;
    }
    // Pixel centres now lie on whole numbers: none within low .. high when
    // both round up to the same one, high's strictly below it.
    const bool noColumn = std::ceil(lowX - marginPixels) > highX + marginPixels;
    const bool noRow = std::ceil(lowY - marginPixels) > highY + marginPixels;
    return noColumn || noRow;
}

bool PixelCentres::missedBy(const float corners[4][3]) const { return missedByPoints(corners, 4); }

bool PixelCentres::missedByBox(const Vector3& low, const Vector3& high) const {
    float corners[8][3];
    for (int i = 0; i < 8; ++i) {
        corners[i][0] = i & 1 ? high.x : low.x;
        corners[i][1] = i & 2 ? high.y : low.y;
        corners[i][2] = i & 4 ? high.z : low.z;
    }
    return missedByPoints(corners, 8);
}
