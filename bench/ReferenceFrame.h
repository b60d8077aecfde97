#pragma once
// The floor of the terrain's immediate-mode drawing: a frame that holds
// nothing but the terrain's quads, drawn the way Terrain::draw draws them
// (texture coordinate, normal and vertex of every corner in one
// glBegin(GL_QUADS)) but from plain arrays, without bounds checks and without
// the per-quad shadow material. Each frame clears, takes a recorded camera
// view and the sun of that moment, binds the terrain's texture, sets the
// terrain's material once, draws, swaps the buffers and waits for GL.
#include <vector>

#include "PassProfiler.h"
#include "texture/Texture.h"

class Terrain;

class ReferenceFrame {
public:
    // Copies the terrain's heights and normals. Needs the world built: it
    // uses the world's sun, and shares the terrain's texture through the cache.
    explicit ReferenceFrame(const Terrain& terrain);

    void draw(const ViewSample& view) const;

private:
    size_t index(unsigned x, unsigned z) const { return x + size_t{z} * width; }

    unsigned width;
    unsigned depth;
    std::vector<float> heights;  // index x + z * width, as the terrain keeps them
    std::vector<float> normalX;
    std::vector<float> normalZ;
    Texture texture;
};
