#include "shadow/ShadowPicture.h"

#include <GL/glu.h>

#include <algorithm>
#include <cstddef>

#include "shadow/ShadowFilter.h"
#include "platform/FramePasses.h"
#include "platform/GlStateScope.h"

namespace {
// Pixels of the whole blocks that cover n window pixels.
int wholeBlocks(int n) { return (std::max(n, 1) + shadowPixelsPerStep - 1) / shadowPixelsPerStep * shadowPixelsPerStep; }
}  // namespace

void ShadowBuffers::prepare(uint32_t width, uint32_t depth) {
    // A tile, or the window's share of the whole picture, in whole blocks.
    const int newWidth = std::min(shadowPixelsPerStep * static_cast<int>(depth), wholeBlocks(framebufferWidth()));
    const int newHeight = std::min(shadowPixelsPerStep * static_cast<int>(width), wholeBlocks(framebufferHeight()));
    shadowGrid.resizeUnwritten(width, depth);
    if (!shadowPixels.empty() && shadowBufferWidth == newWidth && shadowBufferHeight == newHeight) return;
    shadowPixels.assign(size_t(newWidth) * size_t(newHeight), 255);
    shadowBufferWidth = newWidth;
    shadowBufferHeight = newHeight;
}

void ShadowBuffers::release() {
    shadowPixels = {};
    shadowBufferWidth = shadowBufferHeight = 0;
    shadowGrid.release();
    casters = {};
    cells = {};
    tileParts = {};
}

ShadowPicture::ShadowPicture(uint32_t width, uint32_t depth, bool depthTested, ShadowBuffers& buffers)
    : saved(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_SCISSOR_BIT |
                GL_VIEWPORT_BIT,
            0, GlStateScope::saveMatrices) {
    buffers.prepare(width, depth);
    glClearColor(1, 1, 1, 1);  // the picture starts lit
    // Straight down from 100 units above the far corner; the small offset
    // keeps the view direction off the up vector. Eye x = D - z, eye y = W - x,
    // and heights from -900 to 99 lie inside the depth range.
    glLoadIdentity();
    gluLookAt(width, 100, depth, width - 0.001, 0, depth, 0, 1, 0);
    glShadeModel(GL_FLAT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0, 0, 0);
    if (depthTested) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
}

void beginShadowTile(const ShadowTile& tile) {
    glViewport(0, 0, shadowPixelsPerStep * tile.columns, shadowPixelsPerStep * tile.rows);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(tile.column, tile.column + tile.columns, tile.row, tile.row + tile.rows, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
}

namespace {
// Reads width x height pixels of the window from (windowX, windowY) into
// buffers.shadowPixels, rowLength bytes a row. Packed byte by byte, which
// keeps rows of any width unpadded; the caller's packing comes back.
void readPiecePixels(int windowX, int windowY, int width, int height, int rowLength, ShadowBuffers& buffers) {
    const GlStateScope packing(0, GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, rowLength);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadPixels(windowX, windowY, width, height, GL_RED, GL_UNSIGNED_BYTE, buffers.shadowPixels.data());
}
}  // namespace

const ShadowGrid& readShadowGrid(const ShadowTile& tile, const ShadowCells& cells, ShadowBuffers& buffers) {
    constexpr int step = shadowPixelsPerStep;
    const int width = step * (cells.column1 - cells.column0);
    readPiecePixels(step * (cells.column0 - tile.column), step * (cells.row0 - tile.row), width,
                    step * (cells.row1 - cells.row0), width, buffers);
    endFramePass(FramePass::shadowReadBack);
    ShadowGrid& grid = buffers.shadowGrid;
    filterShadowBlocks(buffers.shadowPixels.data(), size_t(width), cells, grid.data(), grid.depth());
    endFramePass(FramePass::shadowFilter);
    return grid;
}

const ShadowGrid& readShadowGrid(int pixelWidth, int pixelHeight, ShadowBuffers& buffers) {
    const int width = std::max(pixelHeight, 0) / shadowPixelsPerStep;
    const int depth = std::max(pixelWidth, 0) / shadowPixelsPerStep;
    buffers.prepare(static_cast<uint32_t>(width), static_cast<uint32_t>(depth));
    ShadowGrid& grid = buffers.shadowGrid;
    // The blocks the window holds a pixel of; any pixel of theirs beyond the
    // window counts as lit, and so does every block beyond them.
    const int readWidth = std::min(shadowPixelsPerStep * depth, framebufferWidth());
    const int readHeight = std::min(shadowPixelsPerStep * width, framebufferHeight());
    const ShadowCells read{0, std::min(width, buffers.shadowBufferHeight / shadowPixelsPerStep), 0,
                           std::min(depth, buffers.shadowBufferWidth / shadowPixelsPerStep)};
    const int rowLength = shadowPixelsPerStep * read.column1;
    if (readWidth < rowLength || readHeight < shadowPixelsPerStep * read.row1)
        std::fill(buffers.shadowPixels.begin(), buffers.shadowPixels.end(), 255);
    if (readWidth > 0 && readHeight > 0) readPiecePixels(0, 0, readWidth, readHeight, rowLength, buffers);
    endFramePass(FramePass::shadowReadBack);
    filterShadowBlocks(buffers.shadowPixels.data(), size_t(rowLength), read, grid.data(), grid.depth());
    const float lit = litShadowValue();
    for (int i = 0; i < width; ++i) {
        float* row = grid.data() + size_t(i) * size_t(depth);
        std::fill(row + (i < read.row1 ? read.column1 : 0), row + depth, lit);
    }
    endFramePass(FramePass::shadowFilter);
    return grid;
}
