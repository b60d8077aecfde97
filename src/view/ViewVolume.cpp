#include "view/ViewVolume.h"

#include <algorithm>
#include <cmath>

#include "view/ViewMatrices.h"

namespace {
constexpr double outsideMargin = 0.01;  // world units, against rounding at the planes
}  // namespace

ViewVolume::ViewVolume(const double projection[16], const double modelview[16]) {
    // clip = projection * modelview; its rows give the planes.
    double clip[16];
    multiplyMatrices(projection, modelview, clip);
    auto row = [&clip](int r, int c) { return clip[c * 4 + r]; };
    for (int axis = 0; axis < 3; ++axis)
        for (int side = 0; side < 2; ++side) {
            double sign = side == 0 ? 1 : -1;  // w + axis >= 0, then w - axis >= 0
            double* plane = planes[axis * 2 + side];
            for (int c = 0; c < 4; ++c) plane[c] = row(3, c) + sign * row(axis, c);
            double length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
            for (int c = 0; c < 4; ++c) plane[c] /= length;
        }

    // The eye: the origin of the view's space, taken back to the world.
    double view[16];
    if (!invertMatrix(modelview, view)) return;
    for (int axis = 0; axis < 3; ++axis) eye[axis] = view[12 + axis] / view[15];
    if (!std::isfinite(eye[0] + eye[1] + eye[2])) return;

    // The corners: each corner of the projected cube taken back to the world.
    double back[16];
    if (!invertMatrix(clip, back)) return;
    for (int i = 0; i < 8; ++i) {
        const double p[4] = {i & 1 ? 1.0 : -1.0, i & 2 ? 1.0 : -1.0, i & 4 ? 1.0 : -1.0, 1.0};
        double world[4] = {};
        for (int r = 0; r < 4; ++r)
            for (int k = 0; k < 4; ++k) world[r] += back[k * 4 + r] * p[k];
        if (!(std::fabs(world[3]) > 1e-300)) return;
        for (int axis = 0; axis < 3; ++axis) corners[i][axis] = world[axis] / world[3];
        if (!std::isfinite(corners[i][0] + corners[i][1] + corners[i][2])) return;
    }
    cornered = true;
}

bool ViewVolume::reachesGround(float lowY, float highY, GroundRectangle& reach) const {
    reach = {-INFINITY, -INFINITY, INFINITY, INFINITY};
    if (!cornered) return true;
    double lowX = INFINITY, lowZ = INFINITY, highX = -INFINITY, highZ = -INFINITY;
    auto take = [&](double x, double z) {
        lowX = std::min(lowX, x), highX = std::max(highX, x);
        lowZ = std::min(lowZ, z), highZ = std::max(highZ, z);
    };
    // The volume between the two heights is bounded by the corners between
    // them and by the points where its edges cross either height.
    for (int i = 0; i < 8; ++i) {
        const double* a = corners[i];
        if (a[1] >= lowY && a[1] <= highY) take(a[0], a[2]);
        for (int bit = 1; bit < 8; bit <<= 1) {
            if (i & bit) continue;  // each edge once, from its corner with the bit clear
            const double* b = corners[i | bit];
            for (double height : {double(lowY), double(highY)}) {
                if ((a[1] - height) * (b[1] - height) >= 0) continue;
                const double t = (height - a[1]) / (b[1] - a[1]);
                take(a[0] + t * (b[0] - a[0]), a[2] + t * (b[2] - a[2]));
            }
        }
    }
    if (!(lowX <= highX && lowZ <= highZ)) return false;
    reach = {static_cast<float>(lowX), static_cast<float>(lowZ), static_cast<float>(highX), static_cast<float>(highZ)};
    return true;
}

bool ViewVolume::nearPart(NearPart& part) const {
    if (!cornered) return false;
    // The pyramid from the eye to the near plane's corners (bit 2 clear).
    double lowX = eye[0], highX = eye[0], lowZ = eye[2], highZ = eye[2], lowY = eye[1];
    for (int i = 0; i < 4; ++i) {
        lowX = std::min(lowX, corners[i][0]), highX = std::max(highX, corners[i][0]);
        lowZ = std::min(lowZ, corners[i][2]), highZ = std::max(highZ, corners[i][2]);
        lowY = std::min(lowY, corners[i][1]);
    }
    part.eye = {static_cast<float>(eye[0]), static_cast<float>(eye[1]), static_cast<float>(eye[2])};
    part.below = {static_cast<float>(lowX), static_cast<float>(lowZ), static_cast<float>(highX),
                  static_cast<float>(highZ)};
    part.lowestY = static_cast<float>(lowY);
    return true;
}

bool ViewVolume::excludesSphere(const Vector3& centre, float radius) const {
    for (const auto& plane : planes) {
        double distance = plane[0] * centre.x + plane[1] * centre.y + plane[2] * centre.z + plane[3];
        if (distance < -(radius + outsideMargin)) return true;
    }
    return false;
}

bool ViewVolume::excludesBox(const Vector3& low, const Vector3& high) const {
    for (const auto& plane : planes) {
        // The corner farthest along the plane's inward normal: if even that
        // one is outside, the whole box is.
        double x = plane[0] >= 0 ? high.x : low.x;
        double y = plane[1] >= 0 ? high.y : low.y;
        double z = plane[2] >= 0 ? high.z : low.z;
        if (plane[0] * x + plane[1] * y + plane[2] * z + plane[3] < -outsideMargin) return true;
    }
    return false;
}
