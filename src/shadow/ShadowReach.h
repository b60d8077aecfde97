#pragma once
// Where an object's silhouette can fall on the shadow picture, without GL,
// so that the shadow pass draws, reads and filters only the cells that a
// silhouette may darken and that the frame reads.
#include <cstdint>

#include "shadow/ShadowLayout.h"
#include "terrain/VisibleQuads.h"
#include "base/Vector3.h"

// World units a silhouette is kept by from the quads it is tested against:
// far more than rounding and the view's slight tilt can move it.
constexpr float shadowReachMargin = 0.5f;

// Column-major matrix that slides a point along the sun's direction down to
// the plane y = 0 of an object's own frame: (a, b, c) becomes
// (a - b lx/ly, 0, c - b lz/ly). towardsSun needs y > 0.
void makeShadowMatrix(const Vector3& towardsSun, float matrix[16]);

// Where the silhouette of an object at position, whose drawn geometry lies
// within drawnRadius of it, falls under the shadow matrix: within the radius
// of the segment the sun's slant sweeps the object's centre along.
GroundCapsule silhouetteReach(const Vector3& position, float drawnRadius, const float matrix[16]);

// The cells of a terrain's grid (width x depth points; rows i along x,
// columns j along z, as the picture holds them) within shadowReachMargin of
// the reach, clamped to the grid.
ShadowCells cellsUnder(const GroundCapsule& reach, uint32_t width, uint32_t depth);
