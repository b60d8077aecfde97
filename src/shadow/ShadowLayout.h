#pragma once
// How the shadow pass lays out its silhouette picture, without GL.
//
// The picture is the shadow grid's layout (ShadowGrid.h) at three pixels a
// value: eye x runs along D - z (columns, 3D pixels wide) and eye y along
// W - x (rows bottom-up, 3W pixels tall), for a terrain of W grid points
// along x and D along z. A picture larger than the window's framebuffer is
// drawn and read in tiles of whole grid steps that fit it, so no pixel
// outside the window is read and the filter never needs pixels from two
// tiles.
#include <algorithm>

#include "platform/GameWindow.h"

// Pixels of the silhouette picture per terrain grid step, in each direction.
constexpr int shadowPixelsPerStep = 3;

// A rectangle of grid cells: rows i along x, columns j along z, half open.
struct ShadowCells {
    int row0, row1, column0, column1;
};

inline bool overlap(const ShadowCells& a, const ShadowCells& b) {
    return a.row0 < b.row1 && b.row0 < a.row1 && a.column0 < b.column1 && b.column0 < a.column1;
}

// The cells a and b have in common (empty when they do not overlap).
inline ShadowCells intersection(const ShadowCells& a, const ShadowCells& b) {
    return {std::max(a.row0, b.row0), std::min(a.row1, b.row1), std::max(a.column0, b.column0),
            std::min(a.column1, b.column1)};
}

// A tile of the picture, in grid steps, drawn into the window's lower-left
// corner with its first row and column there.
struct ShadowTile {
    int row, rows, column, columns;
    ShadowCells cells() const { return {row, row + rows, column, column + columns}; }
};

// The largest tile, in grid steps, whose picture fits inside the window as
// it is now (it may have been resized, smaller than the game's picture too).
inline int shadowTileColumns() { return std::max(1, framebufferWidth() / shadowPixelsPerStep); }
inline int shadowTileRows() { return std::max(1, framebufferHeight() / shadowPixelsPerStep); }

// Calls visit(tile) for each tile of the picture of a terrain of width x
// depth grid points, row by row.
template <typename Visit>
void forEachTileOfPicture(int width, int depth, Visit visit) {
    const int tileRows = shadowTileRows(), tileColumns = shadowTileColumns();
    for (int row = 0; row < width; row += tileRows)
        for (int column = 0; column < depth; column += tileColumns)
            visit(ShadowTile{row, std::min(tileRows, width - row), column, std::min(tileColumns, depth - column)});
}
