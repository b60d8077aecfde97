#include "view/SkyBound.h"

#include <GL/glu.h>

#include <cmath>

namespace {

constexpr double nearPlaneMargin = 1.5;  // eye above the highest point, so hits lie past the near plane
constexpr double farReach = 900;         // hits must stay well inside the far plane (1000)
constexpr int rowMargin = 2;             // rows kept below the bound against rounding

struct Ray {
    double ox, oy, oz;  // the eye
    double dx, dy, dz;  // towards the pixel
};

bool pixelRay(double x, double y, const double modelview[16], const double projection[16],
              const int viewport[4], Ray& ray) {
    double nx, ny, nz, fx, fy, fz;
    if (!gluUnProject(x, y, 0, modelview, projection, viewport, &nx, &ny, &nz)) return false;
    if (!gluUnProject(x, y, 1, modelview, projection, viewport, &fx, &fy, &fz)) return false;
    ray = {nx, ny, nz, fx - nx, fy - ny, fz - nz};
    return true;
}

// Does the ray meet the plane y = height inside the footprint, near enough?
bool landsInside(const Ray& ray, double height, const TerrainBounds& terrain, const double eye[3]) {
    if (ray.dy >= 0) return false;  // at or above the horizon: never comes down
    double t = (height - ray.oy) / ray.dy;
    double x = ray.ox + t * ray.dx, z = ray.oz + t * ray.dz;
    if (x < 0 || x > terrain.width - 1 || z < 0 || z > terrain.depth - 1) return false;
    double ex = x - eye[0], ey = height - eye[1], ez = z - eye[2];
    return std::sqrt(ex * ex + ey * ey + ez * ez) < farReach;
}

bool rowCovered(int row, const double modelview[16], const double projection[16],
                const int viewport[4], const TerrainBounds& terrain, const double eye[3]) {
    Ray left, right;
    double y = row + 0.5;
    if (!pixelRay(viewport[0], y, modelview, projection, viewport, left)) return false;
    if (!pixelRay(viewport[0] + viewport[2], y, modelview, projection, viewport, right)) return false;
    return landsInside(left, terrain.minHeight, terrain, eye) &&
           landsInside(right, terrain.minHeight, terrain, eye);
}

}  // namespace

int lowestBackgroundRow(const double modelview[16], const double projection[16],
                        const int viewport[4], const TerrainBounds& terrain) {
    // No roll: the eye's x axis has no vertical part, so rows are level.
    if (std::fabs(modelview[4]) > 1e-6) return 0;
    // The eye: the view transform (a rotation and a translation) undone.
    double eye[3];
    const double* m = modelview;
    const double tx = m[12], ty = m[13], tz = m[14];
    eye[0] = -(m[0] * tx + m[1] * ty + m[2] * tz);
    eye[1] = -(m[4] * tx + m[5] * ty + m[6] * tz);
    eye[2] = -(m[8] * tx + m[9] * ty + m[10] * tz);
    if (eye[0] < 0 || eye[0] > terrain.width - 1 || eye[2] < 0 || eye[2] > terrain.depth - 1) return 0;
    if (eye[1] < terrain.maxHeight + nearPlaneMargin) return 0;

    // Covered rows come first from the bottom; find the first one that is not.
    int low = viewport[1], high = viewport[1] + viewport[3];  // [low, high): candidates
    if (!rowCovered(low, modelview, projection, viewport, terrain, eye)) return 0;
    while (high - low > 1) {
        int middle = (low + high) / 2;
        if (rowCovered(middle, modelview, projection, viewport, terrain, eye)) {
            low = middle;
        } else {
            high = middle;
        }
    }
    // Rows up to low are covered; the background may start at low + 1.
    int row = low + 1 - rowMargin;
    return row > 0 ? row : 0;
}
