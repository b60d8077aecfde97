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

bool overlap(const ShadowCells& a, const ShadowCells& b) {
    return a.row0 < b.row1 && b.row0 < a.row1 && a.column0 < b.column1 && b.column0 < a.column1;
}

// Draws the casters whose cells meet the tile. Every silhouette is the same
// black, so the faces of a closed shape that turn away from the sun need not
// be drawn: its sunward faces cover every pixel they would. (The rasteriser
// tells the two kinds apart by the same snapped corners it fills them from,
// so none falls between.)
void drawSilhouettes(const ShadowBuffers& buffers, const ShadowCells& tile, const float* matrix) {
    bool culling = false;
    for (size_t k = 0; k < buffers.casters.size(); ++k) {
        if (!overlap(buffers.cells[k], tile)) continue;
        const Object* object = buffers.casters[k];
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

namespace {
// Filters the blocks of rows i0 .. i1 - 1 and columns j0 .. j1 - 1 of a
// picture pixelWidth bytes wide into the same places of a grid of
// pixelWidth / 3 values a row.
void filterBlocks(const unsigned char* pixels, int pixelWidth, int i0, int i1, int j0, int j1, float* grid) {
    const KernelTerms& terms = kernelTerms();
    const size_t stride = size_t(pixelWidth);
    const size_t columns = stride / shadowPixelsPerStep;
    for (int i = i0; i < i1; ++i) {
        const unsigned char* blockRow = pixels + size_t(3 * i) * stride;
        float* out = grid + size_t(i) * columns;
        for (int j = j0; j < j1; ++j) {
            const unsigned char* block = blockRow + 3 * j;
            float value = 0.0f;  // summed in the same order as ever, so to the same bits
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c) value += terms.term[r][c][block[r * stride + c]];
            out[j] = value;
        }
    }
}

// The value of a block no silhouette touches: the filter of nine white pixels.
float litValue() {
    static const float lit = [] {
        const unsigned char white[9] = {255, 255, 255, 255, 255, 255, 255, 255, 255};
        float value = 0;
        filterBlocks(white, 3, 0, 1, 0, 1, &value);
        return value;
    }();
    return lit;
}
}  // namespace

void filterShadowPixels(const unsigned char* pixels, int pixelWidth, int pixelHeight, float* grid) {
    filterBlocks(pixels, pixelWidth, 0, pixelHeight / shadowPixelsPerStep, 0, pixelWidth / shadowPixelsPerStep,
                 grid);
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
// While it lives, pixels are packed byte by byte with the picture's row
// length, which keeps rows of any width unpadded and puts each piece read in
// its place; the caller's packing comes back afterwards.
class PicturePacking {
public:
    explicit PicturePacking(int rowLength) {
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ROW_LENGTH, rowLength);
        glPixelStorei(GL_PACK_SKIP_ROWS, 0);
        glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    }
    ~PicturePacking() { glPopClientAttrib(); }
    PicturePacking(const PicturePacking&) = delete;
    PicturePacking& operator=(const PicturePacking&) = delete;
};

// Reads width x height pixels of the window from (windowX, windowY) into the
// picture with their lower-left corner at pixel (left, bottom), inside a
// PicturePacking.
void readPicturePixels(int windowX, int windowY, int left, int bottom, int width, int height,
                       ShadowBuffers& buffers) {
    unsigned char* first = buffers.pixels.data() + size_t(bottom) * size_t(buffers.pixelWidth) + size_t(left);
    glReadPixels(windowX, windowY, width, height, GL_RED, GL_UNSIGNED_BYTE, first);
}
}  // namespace

void readShadowTile(const ShadowTile& tile, ShadowBuffers& buffers) {
    const PicturePacking packing(buffers.pixelWidth);
    readPicturePixels(0, 0, shadowPixelsPerStep * tile.column, shadowPixelsPerStep * tile.row,
                      shadowPixelsPerStep * tile.columns, shadowPixelsPerStep * tile.rows, buffers);
}

const ShadowGrid& readShadowGrid(uint32_t width, uint32_t depth, ShadowBuffers& buffers) {
    buffers.prepare(width, depth);
    const int readWidth = std::min(buffers.pixelWidth, windowWidth);
    const int readHeight = std::min(buffers.pixelHeight, windowHeight);
    if (readWidth < buffers.pixelWidth || readHeight < buffers.pixelHeight)
        std::fill(buffers.pixels.begin(), buffers.pixels.end(), 255);
    {
        const PicturePacking packing(buffers.pixelWidth);
        readPicturePixels(0, 0, 0, 0, readWidth, readHeight, buffers);
    }
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

const ShadowGrid& endShadowPicture(ShadowBuffers& buffers, bool filterWholePicture) {
    if (filterWholePicture)
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

namespace {

// The cells of the grid (rows i along x, columns j along z, as the picture
// holds them) a caster's silhouette may darken: those within its reach.
ShadowCells cellsUnder(const GroundCapsule& reach, uint32_t width, uint32_t depth) {
    const float r = reach.radius + reachMargin;
    const float lowX = std::min(reach.x0, reach.x1) - r, highX = std::max(reach.x0, reach.x1) + r;
    const float lowZ = std::min(reach.z0, reach.z1) - r, highZ = std::max(reach.z0, reach.z1) + r;
    const float w = static_cast<float>(width), d = static_cast<float>(depth);
    // Cell i covers x from W-1-i to W-i: x in [lowX, highX] meets rows W-highX-1 .. W-lowX.
    auto clamp = [](float value, float limit) { return static_cast<int>(std::max(0.0f, std::min(value, limit))); };
    if (!std::isfinite(r + lowX + highX + lowZ + highZ)) return {0, static_cast<int>(width), 0, static_cast<int>(depth)};
    return {clamp(std::floor(w - highX - 1), w), clamp(std::ceil(w - lowX) + 1, w),
            clamp(std::floor(d - highZ - 1), d), clamp(std::ceil(d - lowZ) + 1, d)};
}

ShadowCells clip(const ShadowCells& cells, const ShadowTile& tile) {
    return {std::max(cells.row0, tile.row), std::min(cells.row1, tile.row + tile.rows),
            std::max(cells.column0, tile.column), std::min(cells.column1, tile.column + tile.columns)};
}

// Every value the frame reads starts lit; the silhouettes' cells are then
// filtered from the picture.
void lightReadValues(const VisibleQuads* drawnQuads, ShadowGrid& grid) {
    const float lit = litValue();
    if (!drawnQuads) {
        std::fill(grid.data(), grid.data() + size_t{grid.width()} * grid.depth(), lit);
        return;
    }
    drawnQuads->forEachQuad([&](uint32_t x, uint32_t z) { grid.data()[grid.index(x, z)] = lit; });
}

}  // namespace

const ShadowGrid& shadowPass(const std::vector<const Object*>& casters, const Vector3& towardsSun,
                             uint32_t terrainWidth, uint32_t terrainDepth, const VisibleQuads* drawnQuads,
                             ShadowBuffers& buffers) {
    float matrix[16];
    makeShadowMatrix(towardsSun, matrix);
    // Every silhouette is the same black, so which one lies in front does not
    // matter: without the depth test the depth buffer need not be cleared.
    beginShadowPicture(terrainWidth, terrainDepth, false, buffers);
    lightReadValues(drawnQuads, buffers.grid);

    // Only the cells a silhouette may reach are drawn, read and filtered;
    // the frame reads no others, and every other cell is lit.
    buffers.casters.clear();
    buffers.cells.clear();
    for (const Object* caster : casters) {
        if (!caster) continue;
        const GroundCapsule reach = silhouetteReach(*caster, matrix);
        if (drawnQuads && !drawnQuads->reaches(reach, reachMargin)) continue;
        buffers.casters.push_back(caster);
        buffers.cells.push_back(cellsUnder(reach, terrainWidth, terrainDepth));
    }
    const int width = static_cast<int>(terrainWidth), depth = static_cast<int>(terrainDepth);
    const PicturePacking packing(buffers.pixelWidth);
    forEachTileOfPicture(width, depth, [&](const ShadowTile& tile) {
        const ShadowCells whole{tile.row, tile.row + tile.rows, tile.column, tile.column + tile.columns};
        // Calls use(part) with the part inside this tile of each caster's cells that meets it.
        auto forEachPartInTile = [&](auto use) {
            for (const ShadowCells& cells : buffers.cells)
                if (overlap(cells, whole)) use(clip(cells, tile));
        };
        bool any = false;
        forEachPartInTile([&](const ShadowCells&) { any = true; });
        if (!any) return;

        beginShadowTile(tile);
        glEnable(GL_SCISSOR_TEST);
        forEachPartInTile([&](const ShadowCells& in) {
            glScissor(3 * (in.column0 - tile.column), 3 * (in.row0 - tile.row), 3 * (in.column1 - in.column0),
                      3 * (in.row1 - in.row0));
            glClear(GL_COLOR_BUFFER_BIT);
        });
        glDisable(GL_SCISSOR_TEST);
        drawSilhouettes(buffers, whole, matrix);
        endFramePass(FramePass::shadowRender);
        forEachPartInTile([&](const ShadowCells& in) {
            readPicturePixels(3 * (in.column0 - tile.column), 3 * (in.row0 - tile.row), 3 * in.column0,
                              3 * in.row0, 3 * (in.column1 - in.column0), 3 * (in.row1 - in.row0), buffers);
        });
        endFramePass(FramePass::shadowReadBack);
        forEachPartInTile([&](const ShadowCells& in) {
            filterBlocks(buffers.pixels.data(), buffers.pixelWidth, in.row0, in.row1, in.column0, in.column1,
                         buffers.grid.data());
        });
    });
    return endShadowPicture(buffers, false);
}
