#pragma once
// The shadow pass's filter, without GL: each 3 x 3 block of the silhouette
// picture's red channel becomes one brightness, the weighted mean of its
// pixels / 255 with weights 0.4 at the centre, 0.1 at the edges and 0.05 at
// the corners (rows bottom to top, summed row by row, so every way of
// filtering a block gives the same bits).
#include <cstddef>

#include "shadow/ShadowLayout.h"

// The whole picture: bytes, rows bottom-up, pixelWidth bytes a row. grid
// receives (pixelHeight / 3) rows of (pixelWidth / 3) values.
void filterShadowPixels(const unsigned char* pixels, int pixelWidth, int pixelHeight, float* grid);

// Only the blocks of the given cells, into the same places of the grid.
void filterShadowCells(const unsigned char* pixels, int pixelWidth, const ShadowCells& cells, float* grid);

// The blocks of the given cells from pixels that hold those blocks alone,
// rowLength bytes a row from the cells' first row and column, into their
// places of a grid of gridColumns values a row.
void filterShadowBlocks(const unsigned char* pixels, size_t rowLength, const ShadowCells& cells, float* grid,
                        size_t gridColumns);

// The value of a block no silhouette touches: the filter of nine white
// pixels (1 within rounding).
float litShadowValue();
