#pragma once
// Which pixel centres of the picture a piece of ground can cover, worked out
// on the processor from the frame's matrices and viewport. GL makes a
// fragment only where a pixel's centre lies inside a triangle, so a quad
// whose corners, projected, enclose no pixel centre puts nothing on the
// screen and leaves no depth behind: it can be left out. Far ground seen at
// a low angle is mostly such slivers. (A software rasteriser may round the
// quads that share a draw with it a level otherwise, as with any change of
// which quads share a draw.)
#include "base/Vector3.h"

class PixelCentres {
public:
    // Rules out nothing until assigned.
    PixelCentres() = default;
    // From column-major matrices as GL keeps them and the viewport (x, y,
    // width, height) in window pixels.
    PixelCentres(const double projection[16], const double modelview[16], const int viewport[4]);

    // True only when the quad with these corners (world x, y, z each) surely
    // covers no pixel centre: every corner in front of the eye and the
    // rectangle around their projections, widened by a margin far above
    // rounding, holding no centre in x or none in y.
    bool missedBy(const float corners[4][3]) const;
    // The same for everything inside the axis-aligned box from low to high.
    bool missedByBox(const Vector3& low, const Vector3& high) const;

private:
    bool missedByPoints(const float (*points)[3], int count) const;

    // Rows x, y and w of projection * modelview, each scaled so that x / w
    // and y / w come out in window pixels less a half.
    float rowX[4] = {}, rowY[4] = {}, rowW[4] = {};
    bool active = false;
};
