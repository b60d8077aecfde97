#include "sky/SkyBound.h"

#include <cmath>
#include <utility>

#include "view/ViewMatrices.h"

namespace {

constexpr double nearPlaneMargin = 1.5;  // eye above the highest point, so hits lie past the near plane
constexpr double farReach = 900;         // hits must stay well inside the far plane (1000)
constexpr int rowMargin = 2;             // rows kept below the bound against rounding
constexpr double edgeMargin = 0.01;      // world units a ray must pass under the edge by

struct Ray {
    double ox, oy, oz;  // the eye
    double dx, dy, dz;  // towards the pixel
};

bool pixelRay(double x, double y, const double modelview[16], const double projection[16],
              const int viewport[4], Ray& ray) {
    double n[3], f[3];
    if (!unProject(x, y, 0, modelview, projection, viewport, n)) return false;
    if (!unProject(x, y, 1, modelview, projection, viewport, f)) return false;
    ray = {n[0], n[1], n[2], f[0] - n[0], f[1] - n[1], f[2] - n[2]};
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

// The footprint's edge walked as one loop from the corner (0, 0): along
// z = 0, up x = W - 1, back along z = D - 1, down x = 0. A position s on it
// is a distance in grid steps, so grid points sit at whole s.
class FootprintEdge {
public:
    explicit FootprintEdge(const TerrainBounds& terrain)
        : terrain(terrain), w(terrain.width - 1), d(terrain.depth - 1),
          columns(static_cast<int>(terrain.width)) {}

    double length() const { return 2 * (w + d); }

    double positionOf(double x, double z) const {
        if (z <= 0) return x;
        if (x >= w) return w + z;
        if (z >= d) return w + d + (w - x);
        return 2 * w + d + (d - z);
    }

    void pointAt(double s, double& x, double& z) const {
        s = std::fmod(s, length());
        if (s < 0) s += length();
        if (s <= w) { x = s; z = 0; }
        else if (s <= w + d) { x = w; z = s - w; }
        else if (s <= 2 * w + d) { x = w - (s - w - d); z = d; }
        else { x = 0; z = d - (s - 2 * w - d); }
    }

    // The drawn edge's height at a point on it: straight between the
    // neighbouring grid points along the side.
    double heightAt(double x, double z) const {
        const bool alongX = z == 0 || z == d;  // on a side of constant z
        const double position = alongX ? x : z;
        const double last = alongX ? w : d;
        const int i0 = static_cast<int>(std::floor(position));
        const int i1 = i0 < last ? i0 + 1 : i0;
        const double h0 = alongX ? grid(i0, static_cast<int>(z)) : grid(static_cast<int>(x), i0);
        const double h1 = alongX ? grid(i1, static_cast<int>(z)) : grid(static_cast<int>(x), i1);
        return h0 + (position - i0) * (h1 - h0);
    }

private:
    double grid(int x, int z) const { return terrain.heights[x + static_cast<long>(z) * columns]; }

    const TerrainBounds& terrain;
    double w, d;
    int columns;
};

// Where a ray from the eye (inside the footprint) crosses the edge, as the
// point's x and z and the ray's height there.
void edgeExit(const Ray& ray, const TerrainBounds& terrain, double& x, double& y, double& z) {
    const double xEnd = ray.dx > 0 ? terrain.width - 1 : 0;
    const double zEnd = ray.dz > 0 ? terrain.depth - 1 : 0;
    const double tx = ray.dx != 0 ? (xEnd - ray.ox) / ray.dx : 1e30;
    const double tz = ray.dz != 0 ? (zEnd - ray.oz) / ray.dz : 1e30;
    // The side crossed first; the point is put exactly on it.
    const double t = std::fmin(tx, tz);
    x = tx <= tz ? xEnd : std::fmin(std::fmax(ray.ox + t * ray.dx, 0.0), terrain.width - 1);
    z = tx <= tz ? std::fmin(std::fmax(ray.oz + t * ray.dz, 0.0), terrain.depth - 1) : zEnd;
    y = ray.oy + t * ray.dy;
}

bool underEdge(double x, double y, double z, const FootprintEdge& edge, const double eye[3]) {
    const double ex = x - eye[0], ey = y - eye[1], ez = z - eye[2];
    return y < edge.heightAt(x, z) - edgeMargin && std::sqrt(ex * ex + ey * ey + ez * ez) < farReach;
}

// Is every ray of the row under the terrain's edge where it leaves the
// footprint? The rays sweep a plane through the eye; its height over a
// point of the edge is checked at each grid point between the two end
// rays' exits.
bool rowUnderEdge(int row, const double modelview[16], const double projection[16], const int viewport[4],
                  const TerrainBounds& terrain, const double eye[3]) {
    Ray left, right, middle;
    const double y = row + 0.5;
    if (!pixelRay(viewport[0], y, modelview, projection, viewport, left)) return false;
    if (!pixelRay(viewport[0] + viewport[2], y, modelview, projection, viewport, right)) return false;
    if (!pixelRay(viewport[0] + viewport[2] / 2.0, y, modelview, projection, viewport, middle)) return false;
    if (left.dy >= 0 || right.dy >= 0) return false;
    // The plane's normal; heights over (x, z) follow from n . (p - eye) = 0.
    const double nx = left.dy * right.dz - left.dz * right.dy;
    const double ny = left.dz * right.dx - left.dx * right.dz;
    const double nz = left.dx * right.dy - left.dy * right.dx;
    if (std::fabs(ny) < 1e-9) return false;
    auto planeHeight = [&](double x, double z) { return eye[1] - (nx * (x - eye[0]) + nz * (z - eye[2])) / ny; };

    const FootprintEdge edge(terrain);
    double lx, ly, lz, rx, ry, rz, mx, my, mz;
    edgeExit(left, terrain, lx, ly, lz);
    edgeExit(right, terrain, rx, ry, rz);
    edgeExit(middle, terrain, mx, my, mz);
    if (!underEdge(lx, ly, lz, edge, eye) || !underEdge(rx, ry, rz, edge, eye)) return false;

    // Walk the edge from one end's exit to the other's, the way that passes
    // the middle ray's exit.
    const double loop = edge.length();
    double from = edge.positionOf(lx, lz), to = edge.positionOf(rx, rz);
    auto ahead = [loop](double a, double b) { return std::fmod(b - a + 2 * loop, loop); };  // from a forwards to b
    if (ahead(from, edge.positionOf(mx, mz)) > ahead(from, to)) std::swap(from, to);
    const double span = ahead(from, to);
    for (double s = std::floor(from) + 1; s - from < span; s += 1) {
        double x, z;
        edge.pointAt(s, x, z);
        if (!underEdge(x, planeHeight(x, z), z, edge, eye)) return false;
    }
    return true;
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
    const int top = viewport[1] + viewport[3];
    int open = viewport[1];  // the lowest row not proven covered
    if (rowCovered(open, modelview, projection, viewport, terrain, eye)) {
        int low = open, high = top;  // low covered; [low + 1, high) candidates
        while (high - low > 1) {
            int middle = (low + high) / 2;
            if (rowCovered(middle, modelview, projection, viewport, terrain, eye)) {
                low = middle;
            } else {
                high = middle;
            }
        }
        open = low + 1;
    }
    // Rows above, one by one, against the terrain's edge.
    if (terrain.heights && terrain.width >= 2 && terrain.depth >= 2)
        while (open < top && rowUnderEdge(open, modelview, projection, viewport, terrain, eye)) ++open;
    int row = open - rowMargin;
    return row > 0 ? row : 0;
}
