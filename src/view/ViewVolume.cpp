#include "view/ViewVolume.h"

#include <cmath>

namespace {
constexpr double outsideMargin = 0.01;  // world units, against rounding at the planes
}

ViewVolume::ViewVolume(const double projection[16], const double modelview[16]) {
    // clip = projection * modelview; its rows give the planes.
    double clip[16];
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelview[column * 4 + k];
            clip[column * 4 + row] = sum;
        }
    auto row = [&clip](int r, int c) { return clip[c * 4 + r]; };
    for (int axis = 0; axis < 3; ++axis)
        for (int side = 0; side < 2; ++side) {
            double sign = side == 0 ? 1 : -1;  // w + axis >= 0, then w - axis >= 0
            double* plane = planes[axis * 2 + side];
            for (int c = 0; c < 4; ++c) plane[c] = row(3, c) + sign * row(axis, c);
            double length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
            for (int c = 0; c < 4; ++c) plane[c] /= length;
        }
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
