#include "view/ViewMatrices.h"

#include <cmath>
#include <utility>

#include "base/Pi.h"
#include "view/Projection.h"

namespace {

void normalize(double v[3]) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0) return;  // left as it is, as gluLookAt leaves it
    for (int i = 0; i < 3; ++i) v[i] /= length;
}

void cross(const double a[3], const double b[3], double out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}


}  // namespace

// Gauss-Jordan elimination with partial pivoting.
bool invertMatrix(const double m[16], double out[16]) {
    double work[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            work[r][c] = m[c * 4 + r];
            work[r][c + 4] = r == c ? 1 : 0;
        }
    for (int column = 0; column < 4; ++column) {
        int pivot = column;
        for (int r = column + 1; r < 4; ++r)
            if (std::fabs(work[r][column]) > std::fabs(work[pivot][column])) pivot = r;
        if (work[pivot][column] == 0) return false;
        std::swap(work[pivot], work[column]);
        const double scale = work[column][column];
        for (double& value : work[column]) value /= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == column) continue;
            const double factor = work[r][column];
            for (int c = 0; c < 8; ++c) work[r][c] -= factor * work[column][c];
        }
    }
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out[c * 4 + r] = work[r][c + 4];
    return true;
}

void identityMatrix(double out[16]) {
    for (int i = 0; i < 16; ++i) out[i] = i % 5 == 0 ? 1 : 0;
}

void multiplyMatrices(const double a[16], const double b[16], double out[16]) {
    double product[16];
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
            product[column * 4 + row] = sum;
        }
    for (int i = 0; i < 16; ++i) out[i] = product[i];
}

void gameProjectionMatrix(double out[16]) {
    const double halfField = fieldOfViewDegrees / 2 * pi / 180;
    const double cotangent = std::cos(halfField) / std::sin(halfField);
    const double depth = farPlane - nearPlane;
    identityMatrix(out);
    out[0] = cotangent / aspectRatio;
    out[5] = cotangent;
    out[10] = -(farPlane + nearPlane) / depth;
    out[11] = -1;
    out[14] = -2 * nearPlane * farPlane / depth;
    out[15] = 0;
}

void lookAtMatrix(const CameraView& view, double out[16]) {
    double forward[3] = {double(view.center.x) - view.eye.x, double(view.center.y) - view.eye.y,
                         double(view.center.z) - view.eye.z};
    const double up[3] = {0, 1, 0};
    double side[3], trueUp[3];
    normalize(forward);
    cross(forward, up, side);
    normalize(side);
    cross(side, forward, trueUp);

    // The rows are side, up and backward; the eye is moved to the origin.
    double look[16];
    identityMatrix(look);
    const double eye[3] = {view.eye.x, view.eye.y, view.eye.z};
    for (int i = 0; i < 3; ++i) {
        look[i * 4] = side[i];
        look[i * 4 + 1] = trueUp[i];
        look[i * 4 + 2] = -forward[i];
        for (int row = 0; row < 3; ++row) look[12 + row] -= look[i * 4 + row] * eye[i];
    }
    if (!view.turned) {
        for (int i = 0; i < 16; ++i) out[i] = look[i];
        return;
    }
    const double angle = view.turnDegrees * pi / 180;
    double turn[16];
    identityMatrix(turn);
    turn[0] = turn[10] = std::cos(angle);
    turn[8] = std::sin(angle);
    turn[2] = -turn[8];
    multiplyMatrices(turn, look, out);
}

bool unProject(double windowX, double windowY, double depth, const double modelview[16],
               const double projection[16], const int viewport[4], double world[3]) {
    double clipToWorld[16];
    multiplyMatrices(projection, modelview, clipToWorld);
    if (!invertMatrix(clipToWorld, clipToWorld)) return false;
    // Window to normalized device coordinates, -1 .. 1 on each axis.
    const double device[4] = {(windowX - viewport[0]) / viewport[2] * 2 - 1,
                              (windowY - viewport[1]) / viewport[3] * 2 - 1, depth * 2 - 1, 1};
    double point[4];
    for (int row = 0; row < 4; ++row) {
        point[row] = 0;
        for (int k = 0; k < 4; ++k) point[row] += clipToWorld[k * 4 + row] * device[k];
    }
    if (point[3] == 0) return false;
    for (int i = 0; i < 3; ++i) world[i] = point[i] / point[3];
    return true;
}
