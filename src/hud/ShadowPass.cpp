#include "hud/ShadowPass.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "scene/Object.h"
#include "terrain/VisibleQuads.h"

namespace {

constexpr float inverse255 = 1.0f / 255.0f;
// Rows bottom to top, columns left to right; the weights sum to 1.
constexpr float kernel[3][3] = {
    {0.05f, 0.1f, 0.05f},
    {0.1f, 0.4f, 0.1f},
    {0.05f, 0.1f, 0.05f},
};

// World units a silhouette is kept by from the quads it is tested against:
// far more than rounding and the view's slight tilt can move it.
constexpr float reachMargin = 0.5f;

// Where an object's silhouette can fall. Its points lie within its drawn
// radius r of its position; the shadow matrix sends a point p of its turned
// model to (p.x, p.z) - p.y (lx/ly, lz/ly), scaled and moved with it. So the
// silhouette lies within r of the segment from position - r k to position + r k,
// with k = (lx/ly, lz/ly), which the matrix holds negated.
GroundCapsule silhouetteReach(const Object& object, const float* matrix) {
    const Vector3 p = object.getPosition();
    const float r = std::fabs(object.getDrawnRadius());
    const float kx = -matrix[4], kz = -matrix[6];
    return {p.x - r * kx, p.z - r * kz, p.x + r * kx, p.z + r * kz, r};
}

// Every silhouette is the same black, so the faces of a closed shape that
// turn away from the sun need not be drawn: its sunward faces cover every
// pixel they would. (The rasteriser tells the two kinds apart by the same
// snapped corners it fills them from, so none falls between.)
void drawSilhouettes(const std::vector<const Object*>& casters, const float* matrix,
                     const VisibleQuads* drawnQuads) {
    bool culling = false;
    for (const Object* object : casters) {
        if (!object) continue;
        if (drawnQuads && !drawnQuads->reaches(silhouetteReach(*object, matrix), reachMargin)) continue;
        const bool cull = object->hasClosedSurface();
        if (cull != culling) {
            if (cull) glEnable(GL_CULL_FACE); else glDisable(GL_CULL_FACE);
            culling = cull;
        }
        object->drawSilhouette(matrix);
    }
    if (culling) glDisable(GL_CULL_FACE);
}

// Each tap's term for every byte value, weight * (byte / 255), worked out
// once with the same float operations the filter would use per pixel.
struct KernelTerms {
    float term[3][3][256];
};

const KernelTerms& kernelTerms() {
    static const KernelTerms terms = [] {
        KernelTerms t{};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                for (int byte = 0; byte < 256; ++byte) t.term[r][c][byte] = kernel[r][c] * (byte * inverse255);
        return t;
    }();
    return terms;
}

}  // namespace

void filterShadowPixels(const unsigned char* pixels, int pixelWidth, int pixelHeight, float* grid) {
    const KernelTerms& terms = kernelTerms();
    const int columns = pixelWidth / shadowPixelsPerStep;
    const int rows = pixelHeight / shadowPixelsPerStep;
    const size_t stride = size_t(pixelWidth);
    for (int i = 0; i < rows; ++i) {
        const unsigned char* blockRow = pixels + size_t(3 * i) * stride;
        float* out = grid + size_t(i) * size_t(columns);
        for (int j = 0; j < columns; ++j) {
            const unsigned char* block = blockRow + 3 * j;
            float value = 0.0f;  // summed in the same order as ever, so to the same bits
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c) value += terms.term[r][c][block[r * stride + c]];
            out[j] = value;
        }
    }
}

void ShadowBuffers::prepare(uint32_t width, uint32_t depth) {
    const int newWidth = shadowPixelsPerStep * static_cast<int>(depth);
    const int newHeight = shadowPixelsPerStep * static_cast<int>(width);
    grid.resize(width, depth);
    if (!pixels.empty() && pixelWidth == newWidth && pixelHeight == newHeight) return;
    pixels.assign(size_t(newWidth) * size_t(newHeight), 255);
    pixelWidth = newWidth;
    pixelHeight = newHeight;
}

void ShadowBuffers::release() {
    pixels = {};
    pixelWidth = pixelHeight = 0;
    grid.release();
}

void makeShadowMatrix(const Vector3& towardsSun, float matrix[16]) {
    std::fill(matrix, matrix + 16, 0.0f);
    matrix[0] = 1.0f;
    matrix[4] = -towardsSun.x / towardsSun.y;
    matrix[6] = -towardsSun.z / towardsSun.y;
    matrix[10] = 1.0f;
    matrix[15] = 1.0f;
}

void beginShadowTile(const ShadowTile& tile) {
    glViewport(0, 0, shadowPixelsPerStep * tile.columns, shadowPixelsPerStep * tile.rows);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(tile.column, tile.column + tile.columns, tile.row, tile.row + tile.rows, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
}

namespace {
// Reads the window's lower-left width x height pixels into the picture with
// their lower-left corner at pixel (left, bottom). Packing byte by byte with
// the picture's row length keeps rows of any width unpadded and puts each
// tile in its place.
void readPicturePixels(int left, int bottom, int width, int height, ShadowBuffers& buffers) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, buffers.pixelWidth);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    unsigned char* first = buffers.pixels.data() + size_t(bottom) * size_t(buffers.pixelWidth) + size_t(left);
    glReadPixels(0, 0, width, height, GL_RED, GL_UNSIGNED_BYTE, first);
    glPopClientAttrib();
}
}  // namespace

void readShadowTile(const ShadowTile& tile, ShadowBuffers& buffers) {
    readPicturePixels(shadowPixelsPerStep * tile.column, shadowPixelsPerStep * tile.row,
                      shadowPixelsPerStep * tile.columns, shadowPixelsPerStep * tile.rows, buffers);
}

const ShadowGrid& readShadowGrid(uint32_t width, uint32_t depth, ShadowBuffers& buffers) {
    buffers.prepare(width, depth);
    const int readWidth = std::min(buffers.pixelWidth, windowWidth);
    const int readHeight = std::min(buffers.pixelHeight, windowHeight);
    if (readWidth < buffers.pixelWidth || readHeight < buffers.pixelHeight)
        std::fill(buffers.pixels.begin(), buffers.pixels.end(), 255);
    readPicturePixels(0, 0, readWidth, readHeight, buffers);
    filterShadowPixels(buffers.pixels.data(), buffers.pixelWidth, buffers.pixelHeight, buffers.grid.data());
    return buffers.grid;
}

void beginShadowPicture(uint32_t width, uint32_t depth, bool depthTested, ShadowBuffers& buffers) {
    buffers.prepare(width, depth);
    glClearColor(1, 1, 1, 1);  // the picture starts lit
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    // Straight down from 100 units above the far corner; the small offset
    // keeps the view direction off the up vector. Eye x = D - z, eye y = W - x,
    // and heights from -900 to 99 lie inside the depth range.
    gluLookAt(width, 100, depth, width - 0.001, 0, depth, 0, 1, 0);
    glShadeModel(GL_FLAT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0, 0, 0);
    if (depthTested) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
}

const ShadowGrid& endShadowPicture(ShadowBuffers& buffers) {
    filterShadowPixels(buffers.pixels.data(), buffers.pixelWidth, buffers.pixelHeight, buffers.grid.data());
    endFramePass(FramePass::shadowFilter);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    // Back to the frame the caller was drawing.
    glEnable(GL_DEPTH_TEST);
    glViewport(0, 0, windowWidth, windowHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glLoadIdentity();
    return buffers.grid;
}

const ShadowGrid& shadowPass(const std::vector<const Object*>& casters, const Vector3& towardsSun,
                             uint32_t terrainWidth, uint32_t terrainDepth, const VisibleQuads* drawnQuads,
                             ShadowBuffers& buffers) {
    float matrix[16];
    makeShadowMatrix(towardsSun, matrix);
    // Every silhouette is the same black, so which one lies in front does not
    // matter: without the depth test the depth buffer need not be cleared.
    beginShadowPicture(terrainWidth, terrainDepth, false, buffers);
    forEachShadowTile(buffers, [&](const ShadowTile& tile) {
        // Only the tile is read back, and the whole window is cleared for
        // the frame afterwards, so the white need not reach beyond it.
        glScissor(0, 0, shadowPixelsPerStep * tile.columns, shadowPixelsPerStep * tile.rows);
        glEnable(GL_SCISSOR_TEST);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        drawSilhouettes(casters, matrix, drawnQuads);
    });
    return endShadowPicture(buffers);
}
