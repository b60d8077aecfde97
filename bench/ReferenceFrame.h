#pragma once
// The floor of the terrain's drawing: a frame that holds nothing but the
// terrain's quads, sent vertex by vertex as the tests' reference frame sends
// them, without the per-quad shadow material. Each frame clears, takes a
// recorded camera view and the sun of that moment, draws, swaps the buffers
// and waits for GL.
#include "PassProfiler.h"

class Terrain;

class ReferenceFrame {
public:
    // Needs the world built: it uses the world's sun.
    explicit ReferenceFrame(const Terrain& terrain) : terrain(terrain) {}

    void draw(const ViewSample& view) const;

private:
    const Terrain& terrain;
};
