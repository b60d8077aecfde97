#include "hud/ShadowPass.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "app/FastPaths.h"
#include "platform/FramePasses.h"
#include "game/GameWorld.h"
#include "lighting/DirectionalLight.h"
#include "scene/Object.h"
#include "terrain/Terrain.h"
#include "terrain/VisibleQuads.h"

namespace {

constexpr int windowWidth = 1024;   // pixels; the game's window never changes size
constexpr int windowHeight = 768;
// The largest tile, in grid steps, whose picture fits inside the window.
constexpr int tileColumns = windowWidth / shadowPixelsPerStep;
constexpr int tileRows = windowHeight / shadowPixelsPerStep;

constexpr float inverse255 = 1.0f / 255.0f;
// Rows bottom to top, columns left to right; the weights sum to 1.
constexpr float kernel[3][3] = {
    {0.05f, 0.1f, 0.05f},
    {0.1f, 0.4f, 0.1f},
    {0.05f, 0.1f, 0.05f},
};

// Makes the buffers fit a picture of the given size. They are replaced only
// when the size changes (or after endGame released them), never per frame.
void prepareShadowBuffers(int pixelWidth, int pixelHeight) {
    if (!world.shadowPixels.empty() && !world.shadowGrid.empty() &&
        world.shadowBufferWidth == pixelWidth && world.shadowBufferHeight == pixelHeight)
        return;
    const size_t pixelCount = size_t(pixelWidth) * size_t(pixelHeight);
    world.shadowPixels = std::vector<unsigned char>(pixelCount, 255);
    world.shadowGrid = std::vector<float>(pixelCount / 9, 1.0f);
    world.shadowBufferWidth = pixelWidth;
    world.shadowBufferHeight = pixelHeight;
}

// Reads the window's lower-left width x height pixels into shadowPixels with
// their lower-left corner at pixel (left, bottom) of the whole picture.
// Packing byte by byte with the picture's row length keeps rows of any width
// unpadded and puts each tile in its place.
void readShadowTile(int left, int bottom, int width, int height) {
    const int pictureWidth = world.shadowBufferWidth;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, pictureWidth);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    unsigned char* first = world.shadowPixels.data() + size_t(bottom) * size_t(pictureWidth) + size_t(left);
    glReadPixels(0, 0, width, height, GL_RED, GL_UNSIGNED_BYTE, first);
    glPopClientAttrib();
}

// Starts a tile of the silhouette picture, width x height pixels in the
// window's lower-left corner, on white (lit). The depth buffer is cleared too
// unless the silhouettes are drawn without the depth test. Only the tile is
// read back, and the whole window is cleared for the frame afterwards, so the
// white need not reach beyond it.
void clearForSilhouettes(int width, int height) {
    if (!fastPaths.fewerClears) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    glScissor(0, 0, width, height);
    glEnable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

// Column-major matrix that slides a point along the sun's direction
// (lx, ly, lz) down to the plane y = 0 of the object's own frame:
// (a, b, c) becomes (a - b lx/ly, 0, c - b lz/ly).
void makeShadowMatrix(float lx, float ly, float lz, float matrix[16]) {
    std::fill(matrix, matrix + 16, 0.0f);
    matrix[0] = 1.0f;
    matrix[4] = -lx / ly;
    matrix[6] = -lz / ly;
    matrix[10] = 1.0f;
    matrix[15] = 1.0f;
}

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

// Every object, in the game's order: trees, orbs, then the vehicle. Fallen
// trees, collected orbs and the vehicle in the ride view cast shadows too.
// Every silhouette is the same black, so the faces of a closed shape that
// turn away from the sun need not be drawn: its sunward faces cover every
// pixel they would. (The rasteriser tells the two kinds apart by the same
// snapped corners it fills them from, so none falls between.)
void drawSilhouettes(const float* matrix, const VisibleQuads* drawnQuads) {
    bool culling = false;
    auto draw = [matrix, drawnQuads, &culling](const Object* object) {
        if (!object) return;
        if (drawnQuads && !drawnQuads->reaches(silhouetteReach(*object, matrix), reachMargin)) return;
        if (!fastPaths.silhouetteLists) {
            object->draw(matrix);
            return;
        }
        const bool cull = fastPaths.closedSilhouettes && object->hasClosedSurface();
        if (cull != culling) {
            if (cull) glEnable(GL_CULL_FACE); else glDisable(GL_CULL_FACE);
            culling = cull;
        }
        object->drawSilhouette(matrix);
    };
    for (const Object* tree : world.trees) draw(tree);
    for (const Object* orb : world.orbs) draw(orb);
    draw(world.vehicle);
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

const float* readShadowGrid(int pixelWidth, int pixelHeight) {
    prepareShadowBuffers(pixelWidth, pixelHeight);
    const int readWidth = std::min(pixelWidth, windowWidth);
    const int readHeight = std::min(pixelHeight, windowHeight);
    if (readWidth < pixelWidth || readHeight < pixelHeight)
        std::fill(world.shadowPixels.begin(), world.shadowPixels.end(), 255);
    readShadowTile(0, 0, readWidth, readHeight);
    filterShadowPixels(world.shadowPixels.data(), pixelWidth, pixelHeight, world.shadowGrid.data());
    return world.shadowGrid.data();
}

const float* shadowPass(const VisibleQuads* drawnQuads) {
    const int width = static_cast<int>(world.terrain->getWidth());  // grid points along x
    const int depth = static_cast<int>(world.terrain->getDepth());  // grid points along z
    // Eye x runs along z (D steps), eye y along x (W steps).
    const int pixelWidth = shadowPixelsPerStep * depth;
    const int pixelHeight = shadowPixelsPerStep * width;
    prepareShadowBuffers(pixelWidth, pixelHeight);

    float lx = 0, ly = 1, lz = 0;
    world.sun->getDirection(lx, ly, lz);
    float matrix[16];
    makeShadowMatrix(lx, ly, lz, matrix);

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
    // Every silhouette is the same black, so which one lies in front does not
    // matter: without the depth test the depth buffer need not be cleared.
    const bool depthTested = glIsEnabled(GL_DEPTH_TEST);
    if (fastPaths.fewerClears) glDisable(GL_DEPTH_TEST);

    // One tile for any terrain whose picture fits the window (the whole
    // picture at once, as glOrtho(0, D, 0, W)); more for larger ones. Each
    // tile is a sub-range of the same projection drawn into the window's
    // lower-left corner. Tiles are whole grid steps, so the filter never
    // needs pixels from two tiles.
    for (int row = 0; row < width; row += tileRows) {
        const int rows = std::min(tileRows, width - row);
        for (int column = 0; column < depth; column += tileColumns) {
            const int columns = std::min(tileColumns, depth - column);
            glViewport(0, 0, shadowPixelsPerStep * columns, shadowPixelsPerStep * rows);
            clearForSilhouettes(shadowPixelsPerStep * columns, shadowPixelsPerStep * rows);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glOrtho(column, column + columns, row, row + rows, 1, 1000);
            glMatrixMode(GL_MODELVIEW);
            drawSilhouettes(matrix, fastPaths.castersInReach ? drawnQuads : nullptr);
            endFramePass(FramePass::shadowRender);
            readShadowTile(shadowPixelsPerStep * column, shadowPixelsPerStep * row,
                           shadowPixelsPerStep * columns, shadowPixelsPerStep * rows);
            endFramePass(FramePass::shadowReadBack);
        }
    }
    filterShadowPixels(world.shadowPixels.data(), pixelWidth, pixelHeight, world.shadowGrid.data());
    endFramePass(FramePass::shadowFilter);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    if (depthTested) glEnable(GL_DEPTH_TEST);

    // Back to the frame the caller was drawing.
    glViewport(0, 0, windowWidth, windowHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glLoadIdentity();
    return world.shadowGrid.data();
}
