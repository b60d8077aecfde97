#pragma once
// The game's projection and view transforms worked out on the processor, as
// the column-major doubles GL keeps: the same numbers gluPerspective, glRotate
// and gluLookAt put on GL's matrix stack, so that a frame's view can be
// recorded, culled and bounded without a GL context.
#include "base/Vector3.h"

// A look-at transform: a turn about the vertical (degrees, applied first to
// the finished view), then the look from eye to center with up +y.
struct CameraView {
    bool turned = false;  // the ride view turns; the others do not
    float turnDegrees = 0;
    Vector3 eye{};
    Vector3 center{};
};

struct ViewMatrices {
    double projection[16];
    double modelview[16];
};

void identityMatrix(double out[16]);
// a * b: what glMultMatrixd(b) leaves of a current matrix a. out may be a or b.
void multiplyMatrices(const double a[16], const double b[16], double out[16]);
// The inverse of m in out; false when m has none.
bool invertMatrix(const double m[16], double out[16]);

// The game's perspective (Projection.h), as loadGameProjection() leaves it.
void gameProjectionMatrix(double out[16]);
// The view's transform as Camera::apply() multiplies it onto an identity
// matrix: the turn about +y, then the look from eye to center with up +y.
void lookAtMatrix(const CameraView& view, double out[16]);

// A window point (x, y and depth 0..1) back in the world, as gluUnProject
// finds it; false when the matrices cannot be undone.
bool unProject(double windowX, double windowY, double depth, const double modelview[16],
               const double projection[16], const int viewport[4], double world[3]);
