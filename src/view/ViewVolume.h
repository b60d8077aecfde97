#pragma once
// The six planes of what the camera sees, taken from the projection and
// modelview matrices, so that objects wholly outside need not be sent.
#include "base/Vector3.h"

class ViewVolume {
public:
    // Excludes nothing until assigned.
    ViewVolume() = default;
    // From column-major matrices as GL keeps them.
    ViewVolume(const double projection[16], const double modelview[16]);

    // True only when the sphere lies wholly outside one of the planes, so it
    // cannot put a single fragment on the screen.
    bool excludesSphere(const Vector3& centre, float radius) const;
    // The same for the axis-aligned box from low to high.
    bool excludesBox(const Vector3& low, const Vector3& high) const;

private:
    double planes[6][4] = {};  // a x + b y + c z + d >= 0 inside; (a, b, c) of unit length
};
