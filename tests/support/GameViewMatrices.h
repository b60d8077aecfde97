#pragma once
// The game's projection (45 degrees, 4:3, near 1, far 1000) and a camera
// looking from an eye towards a point with up +y, optionally rolled about the
// view axis, as the column-major matrices GL keeps, with the window's
// viewport; and the view volume they make. Worked out on the processor, so
// no GL context is needed.
#include "view/ViewMatrices.h"
#include "view/ViewVolume.h"

struct GameViewMatrices : ViewMatrices {
    int viewport[4] = {0, 0, 1024, 768};
};

GameViewMatrices gameViewMatrices(double eyeX, double eyeY, double eyeZ, double atX, double atY, double atZ,
                                  double roll = 0);
ViewVolume gameViewVolume(double eyeX, double eyeY, double eyeZ, double atX, double atY, double atZ);
