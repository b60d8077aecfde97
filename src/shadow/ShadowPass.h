#pragma once
// The shadow pass: once per daytime frame, before the scene, it renders the
// casters as black silhouettes flattened along the sun's direction, looking
// straight down on the terrain at three pixels per grid step, reads the red
// channel back and filters each 3 x 3 pixel block down to one brightness per
// terrain quad: the frame's shadow grid. The picture's layout is
// ShadowLayout.h, its GL side ShadowPicture.h, the filter ShadowFilter.h and
// where each silhouette can fall ShadowReach.h.
#include <cstdint>

#include "shadow/ShadowPicture.h"
#include "scene/ObjectList.h"
#include "base/Vector3.h"

class VisibleQuads;

// Renders, reads back and filters. casters are drawn in the order given
// (null entries are skipped); towardsSun points at the sun with y > 0.
//
// Needs nothing of the GL state; leaves it as it found it (ShadowPicture),
// with pieces of the picture in the back buffer, to be cleared by the frame.
// Returns buffers.shadowGrid.
//
// Given the quads the frame will draw (null: all of them, as the overlay
// shows), only those quads' grid values are made: a caster whose silhouette
// cannot come near any of them is not drawn, and of the picture only the
// cells each silhouette may reach are cleared, read back and filtered. Each
// value takes its pixels from its own cell, drawn with the same tile's
// projection as the whole picture would be, so it is the value the whole
// picture gives; every other value read is that of a white cell.
const ShadowGrid& shadowPass(const ObjectList& casters, const Vector3& towardsSun, uint32_t terrainWidth,
                             uint32_t terrainDepth, const VisibleQuads* drawnQuads, ShadowBuffers& buffers);
