#include "shadow/ShadowPicture.h"

#include <GL/glu.h>

#include <algorithm>
#include <cstddef>

#include "shadow/ShadowFilter.h"
#include "platform/FramePasses.h"
#include "platform/GlStateScope.h"

void ShadowBuffers::prepare(uint32_t width, uint32_t depth) {
    const int newWidth = shadowPixelsPerStep * static_cast<int>(depth);
    const int newHeight = shadowPixelsPerStep * static_cast<int>(width);
    shadowGrid.resize(width, depth);
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
// Reads width x height pixels of the window from (windowX, windowY) into the
// picture with their lower-left corner at its pixel (left, bottom). Packed
// byte by byte with the picture's row length, which keeps rows of any width
// unpadded and puts each piece in its place; the caller's packing comes back.
void readPicturePixels(int windowX, int windowY, int left, int bottom, int width, int height,
                       ShadowBuffers& buffers) {
    const GlStateScope packing(0, GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, buffers.shadowBufferWidth);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    unsigned char* first =
        buffers.shadowPixels.data() + size_t(bottom) * size_t(buffers.shadowBufferWidth) + size_t(left);
    glReadPixels(windowX, windowY, width, height, GL_RED, GL_UNSIGNED_BYTE, first);
}
}  // namespace

const ShadowGrid& readShadowGrid(const ShadowTile& tile, const ShadowCells& cells, ShadowBuffers& buffers) {
    constexpr int step = shadowPixelsPerStep;
    readPicturePixels(step * (cells.column0 - tile.column), step * (cells.row0 - tile.row), step * cells.column0,
                      step * cells.row0, step * (cells.column1 - cells.column0), step * (cells.row1 - cells.row0),
                      buffers);
    endFramePass(FramePass::shadowReadBack);
    filterShadowCells(buffers.shadowPixels.data(), buffers.shadowBufferWidth, cells, buffers.shadowGrid.data());
    endFramePass(FramePass::shadowFilter);
    return buffers.shadowGrid;
}

const ShadowGrid& readShadowGrid(int pixelWidth, int pixelHeight, ShadowBuffers& buffers) {
    const int width = std::max(pixelHeight, 0) / shadowPixelsPerStep;
    const int depth = std::max(pixelWidth, 0) / shadowPixelsPerStep;
    buffers.prepare(static_cast<uint32_t>(width), static_cast<uint32_t>(depth));
    const int readWidth = std::min(buffers.shadowBufferWidth, framebufferWidth());
    const int readHeight = std::min(buffers.shadowBufferHeight, framebufferHeight());
    if (readWidth < buffers.shadowBufferWidth || readHeight < buffers.shadowBufferHeight)
        std::fill(buffers.shadowPixels.begin(), buffers.shadowPixels.end(), 255);
    readPicturePixels(0, 0, 0, 0, readWidth, readHeight, buffers);
    endFramePass(FramePass::shadowReadBack);
    filterShadowPixels(buffers.shadowPixels.data(), buffers.shadowBufferWidth, buffers.shadowBufferHeight,
                       buffers.shadowGrid.data());
    endFramePass(FramePass::shadowFilter);
    return buffers.shadowGrid;
}
