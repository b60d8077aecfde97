#pragma once
// The shadow pass: once per daytime frame, before the scene, it renders the
// trees, orbs and vehicle as black silhouettes flattened along the sun's
// direction, looking straight down on the terrain at three pixels per grid
// step, reads the red channel back and filters each 3 x 3 pixel block down
// to one brightness per terrain quad: the frame's shadow grid. The picture
// is cleared again before the pass returns.
//
// The picture is the shadow grid's layout (ShadowGrid.h) at three pixels a
// value: eye x runs along D - z (columns, 3D pixels wide) and eye y along
// W - x (rows bottom-up, 3W pixels tall). A picture larger than the
// 1024 x 768 window is drawn and read back in window-sized tiles, so no
// pixel outside the window is ever read.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/FramePasses.h"
#include "platform/GameWindow.h"
#include "terrain/ShadowGrid.h"
#include "view/Vector3.h"

class Object;
class VisibleQuads;

// Pixels of the silhouette picture per terrain grid step, in each direction.
constexpr int shadowPixelsPerStep = 3;

// A rectangle of grid cells: rows i along x, columns j along z, half open.
struct ShadowCells {
    int row0, row1, column0, column1;
};

// The pass's memory: made when it first runs for a terrain size and reused
// after that, so a frame allocates nothing. The game keeps one for a game.
struct ShadowBuffers {
    std::vector<unsigned char> pixels;  // the picture's red channel, rows bottom-up
    int pixelWidth = 0;                 // 3 D
    int pixelHeight = 0;                // 3 W
    ShadowGrid grid;                    // the filtered values
    std::vector<const Object*> casters; // this frame's casters, and the cells each may darken
    std::vector<ShadowCells> cells;

    // Sizes both for a terrain of width x depth grid points (only when the
    // size changed). The pixels start lit.
    void prepare(uint32_t width, uint32_t depth);
    void release();
};

// Renders, reads back and filters. casters are drawn in the order given
// (null entries are skipped); towardsSun points at the sun with y > 0.
// Expects the modelview matrix at identity. Leaves the viewport at 1024 x
// 768, the clear colour black, the colour and depth buffers cleared, lighting
// and texturing on, smooth shading, the projection matrix as it found it and
// the modelview matrix current and at identity. Returns buffers.grid.
//
// Given the quads the frame will draw (null: all of them, as the overlay
// shows), only those quads' grid values are made: a caster whose silhouette
// cannot come near any of them is not drawn, and of the picture only the
// cells each silhouette may reach are cleared, read back and filtered. Each
// value takes its pixels from its own cell, drawn with the same tile's
// projection as the whole picture would be, so it is the value the whole
// picture gives; every other value read is that of a white cell.
const ShadowGrid& shadowPass(const std::vector<const Object*>& casters, const Vector3& towardsSun,
                             uint32_t terrainWidth, uint32_t terrainDepth, const VisibleQuads* drawnQuads,
                             ShadowBuffers& buffers);

// Reads the picture in the window's lower-left corner (red channel, rows
// bottom-up) into buffers.pixels for a terrain of width x depth grid points
// and filters it into buffers.grid. Pixels beyond the window's edges are not
// read and count as lit.
const ShadowGrid& readShadowGrid(uint32_t width, uint32_t depth, ShadowBuffers& buffers);

// The filter, without GL: each 3 x 3 block of pixels (bytes, rows bottom-up,
// pixelWidth bytes per row) becomes one value, the weighted mean of its
// pixels / 255 with weights 0.4 at the centre, 0.1 at the edges and 0.05 at
// the corners. grid receives (pixelHeight / 3) rows of (pixelWidth / 3).
void filterShadowPixels(const unsigned char* pixels, int pixelWidth, int pixelHeight, float* grid);

// The steps the pass is made of, for drawing the same picture another way.
// Column-major matrix that slides a point along the sun's direction down to
// the plane y = 0 of an object's own frame: (a, b, c) becomes
// (a - b lx/ly, 0, c - b lz/ly).
void makeShadowMatrix(const Vector3& towardsSun, float matrix[16]);
// Sets up the look-down view, white clear colour and flat, unlit drawing in
// black; the depth test is switched as depthTested says. endShadowPicture
// filters the whole picture (when asked) and restores the frame's state as
// shadowPass leaves it.
void beginShadowPicture(uint32_t width, uint32_t depth, bool depthTested, ShadowBuffers& buffers);
const ShadowGrid& endShadowPicture(ShadowBuffers& buffers, bool filterWholePicture = true);
// A tile of the picture, in grid steps: rows along x, columns along z. Tiles
// are whole grid steps, so the filter never needs pixels from two.
struct ShadowTile {
    int row, rows, column, columns;
};
// The largest tile, in grid steps, whose picture fits inside the window.
constexpr int shadowTileColumns = windowWidth / shadowPixelsPerStep;
constexpr int shadowTileRows = windowHeight / shadowPixelsPerStep;
// Points the viewport and projection at the tile, drawn into the window's
// lower-left corner.
void beginShadowTile(const ShadowTile& tile);
// Reads the tile's pixels into their place in buffers.pixels.
void readShadowTile(const ShadowTile& tile, ShadowBuffers& buffers);

// Calls visit(tile) for each tile of the picture of a terrain of width x
// depth grid points, row by row.
template <typename Visit>
void forEachTileOfPicture(int width, int depth, Visit visit) {
    for (int row = 0; row < width; row += shadowTileRows)
        for (int column = 0; column < depth; column += shadowTileColumns)
            visit(ShadowTile{row, std::min(shadowTileRows, width - row), column,
                             std::min(shadowTileColumns, depth - column)});
}

// Calls drawTile(tile) for each tile of the picture, with the viewport and
// projection set for it, and reads the tile back afterwards.
template <typename DrawTile>
void forEachShadowTile(ShadowBuffers& buffers, DrawTile drawTile) {
    const int width = static_cast<int>(buffers.grid.width());
    const int depth = static_cast<int>(buffers.grid.depth());
    forEachTileOfPicture(width, depth, [&](const ShadowTile& tile) {
        beginShadowTile(tile);
        drawTile(tile);
        endFramePass(FramePass::shadowRender);
        readShadowTile(tile, buffers);
        endFramePass(FramePass::shadowReadBack);
    });
}
