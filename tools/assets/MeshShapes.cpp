#include "MeshShapes.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

double lerp(double a, double b, double t) { return a + (b - a) * t; }

// The patch of area for a face width x height model units across.
UvRect patch(UvRect area, double width, double height, double uvPerUnit) {
    return {area.u0, area.v0, std::min(area.u1, area.u0 + width * uvPerUnit),
            std::min(area.v1, area.v0 + height * uvPerUnit)};
}

}  // namespace

void addQuad(Mesh& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 d, UvRect uv) {
    int n = mesh.addNormal(cross(b - a, c - a));
    Corner ca{mesh.addPosition(a), mesh.addTexCoord({uv.u0, uv.v0}), n};
    Corner cb{mesh.addPosition(b), mesh.addTexCoord({uv.u1, uv.v0}), n};
    Corner cc{mesh.addPosition(c), mesh.addTexCoord({uv.u1, uv.v1}), n};
    Corner cd{mesh.addPosition(d), mesh.addTexCoord({uv.u0, uv.v1}), n};
    mesh.addTriangle(ca, cb, cc);
    mesh.addTriangle(ca, cc, cd);
}

void addBox(Mesh& mesh, Vec3 lo, Vec3 hi, UvRect uv) {
    addQuad(mesh, {hi.x, lo.y, hi.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, uv);  // +x
    addQuad(mesh, {lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z}, {lo.x, hi.y, hi.z}, {lo.x, hi.y, lo.z}, uv);  // -x
    addQuad(mesh, {lo.x, hi.y, hi.z}, {hi.x, hi.y, hi.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z}, uv);  // +y
    addQuad(mesh, {lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z}, uv);  // -y
    addQuad(mesh, {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}, uv);  // +z
    addQuad(mesh, {hi.x, lo.y, lo.z}, {lo.x, lo.y, lo.z}, {lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, uv);  // -z
}

void addExtrudedProfile(Mesh& mesh, const std::vector<Vec2>& profile, double z0, double z1, UvRect area,
                        double uvPerUnit) {
    const size_t count = profile.size();
    double minX = profile[0].u, maxX = minX, minY = profile[0].v, maxY = minY;
    for (const Vec2& p : profile) {
        minX = std::min(minX, p.u), maxX = std::max(maxX, p.u);
        minY = std::min(minY, p.v), maxY = std::max(maxY, p.v);
    }
    // The two flat sides, as fans from the first corner; the patch is laid
    // over the profile's bounding box.
    const UvRect uv = patch(area, maxX - minX, maxY - minY, uvPerUnit);
    for (int side = 0; side < 2; ++side) {
        double z = side == 0 ? z1 : z0;
        int n = mesh.addNormal({0, 0, side == 0 ? 1.0 : -1.0});
        std::vector<Corner> corners;
        for (const Vec2& p : profile) {
            Vec2 t{lerp(uv.u0, uv.u1, (p.u - minX) / (maxX - minX)), lerp(uv.v0, uv.v1, (p.v - minY) / (maxY - minY))};
            corners.push_back({mesh.addPosition({p.u, p.v, z}), mesh.addTexCoord(t), n});
        }
        for (size_t i = 1; i + 1 < count; ++i) {
            if (side == 0) mesh.addTriangle(corners[0], corners[i], corners[i + 1]);
            else mesh.addTriangle(corners[0], corners[i + 1], corners[i]);
        }
    }
    for (size_t i = 0; i < count; ++i) {
        Vec2 a = profile[i], b = profile[(i + 1) % count];
        double length = std::hypot(b.u - a.u, b.v - a.v);
        addQuad(mesh, {a.u, a.v, z1}, {a.u, a.v, z0}, {b.u, b.v, z0}, {b.u, b.v, z1},
                patch(area, z1 - z0, length, uvPerUnit));
    }
}

void addCylinderZ(Mesh& mesh, double cx, double cy, double radius, double z0, double z1, int segments,
                  UvRect uv, UvRect capUv) {
    std::vector<Corner> back, front;
    for (int k = 0; k <= segments; ++k) {
        double angle = kTwoPi * (k % segments) / segments;
        double c = std::cos(angle), s = std::sin(angle);
        int n = mesh.addNormal({c, s, 0});
        double u = lerp(uv.u0, uv.u1, static_cast<double>(k) / segments);
        back.push_back({mesh.addPosition({cx + radius * c, cy + radius * s, z0}), mesh.addTexCoord({u, uv.v0}), n});
        front.push_back({mesh.addPosition({cx + radius * c, cy + radius * s, z1}), mesh.addTexCoord({u, uv.v1}), n});
    }
    for (int k = 0; k < segments; ++k) {
        mesh.addTriangle(back[k], back[k + 1], front[k + 1]);
        mesh.addTriangle(back[k], front[k + 1], front[k]);
    }
    // End caps: fans around the axis, the cap texture laid on like a disc.
    double cu = (capUv.u0 + capUv.u1) / 2, cv = (capUv.v0 + capUv.v1) / 2;
    double hu = (capUv.u1 - capUv.u0) / 2, hv = (capUv.v1 - capUv.v0) / 2;
    for (int side = 0; side < 2; ++side) {
        double z = side == 0 ? z1 : z0;
        int n = mesh.addNormal({0, 0, side == 0 ? 1.0 : -1.0});
        Corner centre{mesh.addPosition({cx, cy, z}), mesh.addTexCoord({cu, cv}), n};
        std::vector<Corner> rim;
        for (int k = 0; k < segments; ++k) {
            double angle = kTwoPi * k / segments;
            double c = std::cos(angle), s = std::sin(angle);
            rim.push_back({mesh.addPosition({cx + radius * c, cy + radius * s, z}),
                           mesh.addTexCoord({cu + hu * c, cv + hv * s}), n});
        }
        for (int k = 0; k < segments; ++k) {
            const Corner& a = rim[k];
            const Corner& b = rim[(k + 1) % segments];
            if (side == 0) mesh.addTriangle(centre, a, b);
            else mesh.addTriangle(centre, b, a);
        }
    }
}

void addFrustumY(Mesh& mesh, double y0, double r0, double y1, double r1, int segments, UvRect uv) {
    double slope = (r0 - r1) / (y1 - y0);  // the side leans in as it rises
    std::vector<Corner> bottom, top;
    for (int k = 0; k <= segments; ++k) {
        double angle = kTwoPi * (k % segments) / segments;
        double c = std::cos(angle), s = std::sin(angle);
        int n = mesh.addNormal({c, slope, s});
        double u = lerp(uv.u0, uv.u1, static_cast<double>(k) / segments);
        bottom.push_back({mesh.addPosition({r0 * c, y0, r0 * s}), mesh.addTexCoord({u, uv.v0}), n});
        top.push_back({mesh.addPosition({r1 * c, y1, r1 * s}), mesh.addTexCoord({u, uv.v1}), n});
    }
    for (int k = 0; k < segments; ++k) {
        mesh.addTriangle(bottom[k], top[k], top[k + 1]);
        mesh.addTriangle(bottom[k], top[k + 1], bottom[k + 1]);
    }
    // The caps: fans that run each rim edge the other way round from the side.
    Vec2 middle{(uv.u0 + uv.u1) / 2, (uv.v0 + uv.v1) / 2};
    for (int side = 0; side < 2; ++side) {
        const bool upper = side == 1;
        int n = mesh.addNormal({0, upper ? 1.0 : -1.0, 0});
        Corner centre{mesh.addPosition({0, upper ? y1 : y0, 0}), mesh.addTexCoord(middle), n};
        std::vector<Corner>& rim = upper ? top : bottom;
        for (int k = 0; k < segments; ++k) {
            Corner a{rim[k].position, centre.texCoord, n};
            Corner b{rim[k + 1].position, centre.texCoord, n};
            if (upper) mesh.addTriangle(centre, b, a);
            else mesh.addTriangle(centre, a, b);
        }
    }
}

void addEllipsoid(Mesh& mesh, Vec3 centre, Vec3 radii, int segments, int rings, double bumpiness,
                  unsigned seed, UvRect uv) {
    // grid[i][j]: ring i from the top pole (0) to the bottom pole (rings).
    std::vector<std::vector<Corner>> grid(rings + 1);
    for (int i = 0; i <= rings; ++i) {
        double theta = kTwoPi / 2 * i / rings;
        for (int j = 0; j <= segments; ++j) {
            double phi = kTwoPi * (j % segments) / segments;
            Vec3 unit{std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
            bool pole = i == 0 || i == rings;
            double bump = pole ? 1.0 : 1.0 + bumpiness * (2 * latticeValue(j % segments, i, seed) - 1);
            Vec3 p = centre + Vec3{unit.x * radii.x, unit.y * radii.y, unit.z * radii.z} * bump;
            Vec3 normal{unit.x / radii.x, unit.y / radii.y, unit.z / radii.z};
            Vec2 t{lerp(uv.u0, uv.u1, static_cast<double>(j) / segments),
                   lerp(uv.v1, uv.v0, static_cast<double>(i) / rings)};
            grid[i].push_back({mesh.addPosition(p), mesh.addTexCoord(t), mesh.addNormal(normal)});
        }
    }
    for (int i = 0; i < rings; ++i)
        for (int j = 0; j < segments; ++j) {
            const Corner &upper0 = grid[i][j], &upper1 = grid[i][j + 1];
            const Corner &lower0 = grid[i + 1][j], &lower1 = grid[i + 1][j + 1];
            if (i > 0) mesh.addTriangle(lower0, upper0, upper1);           // no sliver at the top pole
            if (i < rings - 1) mesh.addTriangle(lower0, upper1, lower1);   // nor at the bottom one
        }
}
