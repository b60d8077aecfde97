#pragma once
// Simple solids added to a Mesh, each with outward normals and texture
// coordinates inside a given rectangle of the texture.
#include <vector>

#include "Mesh.h"

// A rectangle of texture coordinates.
struct UvRect {
    double u0, v0, u1, v1;
};

// A flat quad a, b, c, d (counter-clockwise seen from its front), with its
// texture rectangle's corners in the same order from (u0, v0).
void addQuad(Mesh& mesh, Vec3 a, Vec3 b, Vec3 c, Vec3 d, UvRect uv);

// An axis-aligned box between min and max; every face shows the whole rectangle.
void addBox(Mesh& mesh, Vec3 min, Vec3 max, UvRect uv);

// A convex side profile in the x-y plane (counter-clockwise, seen from +z),
// extruded from z0 to z1 > z0: a slab with flat sides. Each face takes a patch
// of the area's lower-left corner, uvPerUnit texture units per model unit
// (limited to the area), so a pattern keeps its proportions on every face.
void addExtrudedProfile(Mesh& mesh, const std::vector<Vec2>& profile, double z0, double z1, UvRect area,
                        double uvPerUnit);

// A closed cylinder around an axis parallel to z through (cx, cy), from z0 to
// z1; the mantle takes uv along its circumference, the end caps capUv.
void addCylinderZ(Mesh& mesh, double cx, double cy, double radius, double z0, double z1, int segments,
                  UvRect uv, UvRect capUv);

// A tapered tube standing on the y axis from y0 (radius r0) to y1 (radius r1),
// closed at both ends by flat caps that share the rims' positions, so the
// whole shape bounds a volume (the game casts shadows of closed shapes more
// cheaply). The caps take the middle of uv.
void addFrustumY(Mesh& mesh, double y0, double r0, double y1, double r1, int segments, UvRect uv);

// A closed ellipsoid around centre; radii gives the half extents and
// bumpiness (0 for a smooth one) roughens the surface reproducibly from seed.
void addEllipsoid(Mesh& mesh, Vec3 centre, Vec3 radii, int segments, int rings, double bumpiness,
                  unsigned seed, UvRect uv);
