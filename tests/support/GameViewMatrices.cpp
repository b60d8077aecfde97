#include "support/GameViewMatrices.h"

#include <cmath>

#include "base/Pi.h"
#include "view/Camera.h"

GameViewMatrices gameViewMatrices(double eyeX, double eyeY, double eyeZ, double atX, double atY, double atZ,
                                  double roll) {
    GameViewMatrices view;
    gameProjectionMatrix(view.projection);
    lookAtMatrix({false, 0, {float(eyeX), float(eyeY), float(eyeZ)}, {float(atX), float(atY), float(atZ)}},
                 view.modelview);
    // The roll about the view axis first, as glRotated(roll, 0, 0, 1) makes it.
    const double c = std::cos(roll * pi / 180), s = std::sin(roll * pi / 180);
    const double rolled[16] = {c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    multiplyMatrices(rolled, view.modelview, view.modelview);
    return view;
}

ViewVolume gameViewVolume(double eyeX, double eyeY, double eyeZ, double atX, double atY, double atZ) {
    const GameViewMatrices view = gameViewMatrices(eyeX, eyeY, eyeZ, atX, atY, atZ);
    return ViewVolume(view.projection, view.modelview);
}
