#pragma once
// Where the background can show behind a height-map terrain, so that the sky,
// drawn after the scene, need only be rasterised there.
//
// For a camera without roll, whose eye stands inside the terrain's footprint
// and clearly above its highest point, every pixel below the horizon whose
// ray meets the plane of the lowest height inside the footprint is covered
// by the terrain (the ray starts above the surface and ends below it without
// leaving the footprint). A row of pixels sweeps a straight segment on that
// plane, and the footprint is convex, so a row is covered when the rays of
// its two end pixels are. Rows only get farther from the eye going up, so
// the covered rows are the bottom ones.
//
// Given the grid's heights, rows above those are tried one by one with the
// terrain's edge: a ray that leaves the footprint below the edge's height
// there has passed under the surface. A row's rays sweep a plane, whose
// height along each side of the footprint is a straight line, as is the
// edge between two grid points; so a row is covered when its plane lies
// below the edge at every grid point between its two end rays' exits, and
// at those exits.
struct TerrainBounds {
    float width;      // footprint along x: 0 .. width - 1
    float depth;      // footprint along z: 0 .. depth - 1
    float minHeight;
    float maxHeight;
    const float* heights = nullptr;  // optional: width x depth, index x + z * width
};

// The lowest window row (counted from the bottom, 0-based) that may show the
// background; 0 when no rows can be excluded. Matrices are column-major as
// GL keeps them; viewport as glGetIntegerv(GL_VIEWPORT) gives it.
int lowestBackgroundRow(const double modelview[16], const double projection[16],
                        const int viewport[4], const TerrainBounds& terrain);
