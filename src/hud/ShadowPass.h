#pragma once
// The shadow pass: once per daytime frame, before the scene, it renders every
// tree, orb and the vehicle as a black silhouette flattened along the sun's
// direction, looking straight down on the terrain at three pixels per grid
// step, reads the red channel back and filters each 3 x 3 pixel block down
// to one brightness per terrain quad: the shadow grid that Terrain::draw
// takes. The picture is cleared again before the pass returns.
//
// Shadow grid layout, for a terrain of W grid points along x and D along z:
// W rows of D floats, 0.0 (full shadow) to 1.0 (lit, within rounding).
//   grid[i * D + j] covers the quad between x = W-1-i .. W-i and
//   z = D-1-j .. D-j, i.e. the quad whose smaller corner is (x, z) reads
//   grid[(W-1-x) * D + (D-1-z)], exactly as Terrain::draw indexes it.
// Row 0 (x from W-1 to W) lies beyond the last quad and is never read.
// In the picture, eye x runs along D - z (columns, 3D pixels wide) and eye y
// along W - x (rows bottom-up, 3W pixels tall).
//
// Buffers: world.shadowPixels (3D x 3W bytes) and world.shadowGrid (W x D
// floats) are made when the pass first runs for a terrain size and reused
// after that; endGame releases them. A picture larger than the 1024 x 768
// window is drawn and read back in window-sized tiles, so it never reads
// pixels outside the window.

// Pixels of the silhouette picture per terrain grid step, in each direction.
constexpr int shadowPixelsPerStep = 3;

// Renders, reads back and filters. Needs world.terrain, world.sun (its
// direction towards the sun with y > 0) and the objects (null slots are
// skipped); expects the modelview matrix at identity. Leaves the viewport at
// 1024 x 768, the clear colour black, the colour and depth buffers cleared,
// lighting and texturing on, smooth shading, the projection matrix as it
// found it and the modelview matrix current and at identity. Returns
// world.shadowGrid, valid until the next pass or the world's release.
//
// Given the quads the frame will draw (null: all of them, as the overlay
// shows), an object whose silhouette cannot come near any of them is not
// drawn: only those quads' grid values are read, and each takes its pixels
// from its own footprint.
class VisibleQuads;
const float* shadowPass(const VisibleQuads* drawnQuads = nullptr);

// Reads the picture in the window's lower-left pixelWidth x pixelHeight
// pixels (red channel, rows bottom-up) into world.shadowPixels and filters it
// into world.shadowGrid, (pixelHeight / 3) rows of (pixelWidth / 3) values.
// Pixels beyond the window's edges are not read and count as lit. Returns
// world.shadowGrid.
const float* readShadowGrid(int pixelWidth, int pixelHeight);

// The filter, without GL: each 3 x 3 block of pixels (bytes, rows bottom-up,
// pixelWidth bytes per row) becomes one value, the weighted mean of its
// pixels / 255 with weights 0.4 at the centre, 0.1 at the edges and 0.05 at
// the corners. grid receives (pixelHeight / 3) rows of (pixelWidth / 3).
void filterShadowPixels(const unsigned char* pixels, int pixelWidth, int pixelHeight, float* grid);
