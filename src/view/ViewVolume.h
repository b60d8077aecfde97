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
    // The ground the view can reach between heights lowY and highY, as a
    // rectangle from (lowX, lowZ) to (highX, highZ) that holds it; false
    // when the view reaches no point between those heights. Unassigned, it
    // reaches everywhere.
    struct GroundRectangle {
        float lowX, lowZ, highX, highZ;
    };
    bool reachesGround(float lowY, float highY, GroundRectangle& reach) const;
    // The eye, and the part of the view nearer than the near plane, where
    // nothing is drawn: the rectangle of ground beneath it and its lowest
    // height. False when the matrices give no such point.
    struct NearPart {
        Vector3 eye;
        GroundRectangle below;
        float lowestY;
    };
    bool nearPart(NearPart& part) const;

private:
    double planes[6][4] = {};  // a x + b y + c z + d >= 0 inside; (a, b, c) of unit length
    // The volume's eight corners, world coordinates, corner i at x, y and
    // z of -1 or +1 after projection as bits 0, 1 and 2 of i say.
    double corners[8][3] = {};
    bool cornered = false;
    double eye[3] = {};
};
