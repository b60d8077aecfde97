#pragma once
// The shadow pass's picture in GL: its memory, the look-down view it is drawn
// in, its tiles, and reading it back into the shadow grid. The picture is
// drawn into the back buffer before the frame's scene and never reaches the
// screen: the frame clears the buffer after the pass.
#include <cstdint>
#include <vector>

#include "platform/GlStateScope.h"
#include "shadow/ShadowLayout.h"
#include "terrain/ShadowGrid.h"

class Object;

// The pass's memory: made when it first runs for a terrain size and reused
// after that, so a frame allocates nothing. A game keeps one (FrameMemory).
// The picture itself stays in the window: the pixels are read back a piece
// at a time, so their buffer holds no more than the window's share of it.
struct ShadowBuffers {
    std::vector<unsigned char> shadowPixels;  // red channel of the piece read last, rows bottom-up
    int shadowBufferWidth = 0;                // pixels a row it holds at most: 3 D, or
    int shadowBufferHeight = 0;               // rows: 3 W, each at most the window's in whole blocks
    ShadowGrid shadowGrid;                    // the filtered values, W rows of D

    // The pass's lists for one frame: the casters that may darken a drawn
    // quad with the cells each may reach, and one tile's share of those cells.
    std::vector<const Object*> casters;
    std::vector<ShadowCells> cells;
    std::vector<ShadowCells> tileParts;

    // Sizes the pixels and the grid for a terrain of width x depth grid
    // points and the window as it is, only when a size changed. The grid's
    // values are undefined until the pass writes them.
    void prepare(uint32_t width, uint32_t depth);
    // Gives every buffer back; all are empty afterwards.
    void release();
};

// The silhouette picture of a terrain of width x depth grid points, while it
// is being drawn. Making one prepares the buffers and sets what the picture
// is drawn with: a white clear colour; the view looking straight down from
// 100 units above the far corner as the modelview matrix; flat, unlit,
// untextured drawing in black; the depth test as depthTested says. When it
// ends, everything it or its tiles changed is as it was found: the matrices,
// the viewport, the scissor, the clear colour, the switches, the shading and
// the current colour. The picture's pixels stay in the back buffer, for the
// frame to clear.
class ShadowPicture {
public:
    ShadowPicture(uint32_t width, uint32_t depth, bool depthTested, ShadowBuffers& buffers);
    ShadowPicture(const ShadowPicture&) = delete;
    ShadowPicture& operator=(const ShadowPicture&) = delete;

private:
    GlStateScope saved;
};

// Points the viewport and the projection at a tile, drawn into the window's
// lower-left corner.
void beginShadowTile(const ShadowTile& tile);

// Reads the cells' pixels (cells inside the tile) of a tile drawn as
// beginShadowTile sets it into buffers.shadowPixels, then filters them into
// their places of buffers.shadowGrid. The frame-pass
// marks of the read-back and of the filter end here.
const ShadowGrid& readShadowGrid(const ShadowTile& tile, const ShadowCells& cells, ShadowBuffers& buffers);

// Reads the whole picture, pixelWidth x pixelHeight pixels in the window's
// lower-left corner, and filters it into a grid of pixelHeight / 3 rows of
// pixelWidth / 3 values, the buffers being made for that size. Pixels beyond
// the window's edges are not read and count as lit.
const ShadowGrid& readShadowGrid(int pixelWidth, int pixelHeight, ShadowBuffers& buffers);

// Calls drawTile(tile) for each tile of the prepared picture with the
// viewport and projection set for it, and reads the whole tile back.
template <typename DrawTile>
void forEachShadowTile(ShadowBuffers& buffers, DrawTile drawTile) {
    const int width = static_cast<int>(buffers.shadowGrid.width());
    const int depth = static_cast<int>(buffers.shadowGrid.depth());
    forEachTileOfPicture(width, depth, [&](const ShadowTile& tile) {
        beginShadowTile(tile);
        drawTile(tile);
        readShadowGrid(tile, tile.cells(), buffers);
    });
}
