#include "shadow/ShadowPass.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "shadow/ShadowFilter.h"
#include "shadow/ShadowReach.h"
#include "platform/FramePasses.h"
#include "scene/Object.h"
#include "terrain/VisibleQuads.h"

namespace {

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

// Every value the frame reads starts lit; the silhouettes' cells are then
// filtered from the picture.
void lightReadValues(const VisibleQuads* drawnQuads, ShadowGrid& grid) {
    const float lit = litShadowValue();
    if (!drawnQuads) {
        std::fill(grid.data(), grid.data() + size_t{grid.width()} * grid.depth(), lit);
        return;
    }
    drawnQuads->forEachQuad([&](uint32_t x, uint32_t z) { grid.data()[grid.index(x, z)] = lit; });
}

// Lists the casters whose silhouettes may reach a drawn quad, with their cells.
void chooseCasters(const ObjectList& casters, const float* matrix, uint32_t width, uint32_t depth,
                   const VisibleQuads* drawnQuads, ShadowBuffers& buffers) {
    buffers.casters.clear();
    buffers.cells.clear();
    // Room for every caster, so that no later frame grows the lists.
    buffers.casters.reserve(casters.count);
    buffers.cells.reserve(casters.count);
    buffers.tileParts.reserve(casters.count);
    for (const Object* caster : casters) {
        if (!caster) continue;
        const GroundCapsule reach = silhouetteReach(caster->getPosition(), caster->getDrawnRadius(), matrix);
        if (drawnQuads && !drawnQuads->reaches(reach, shadowReachMargin)) continue;
        buffers.casters.push_back(caster);
        buffers.cells.push_back(cellsUnder(reach, width, depth));
    }
}

// Clears, draws, reads and filters one tile's share of the casters' cells.
void drawAndReadTile(const ShadowTile& tile, const float* matrix, ShadowBuffers& buffers) {
    const ShadowCells whole = tile.cells();
    buffers.tileParts.clear();
    for (const ShadowCells& cells : buffers.cells)
        if (overlap(cells, whole)) buffers.tileParts.push_back(intersection(cells, whole));
    if (buffers.tileParts.empty()) return;

    constexpr int step = shadowPixelsPerStep;
    beginShadowTile(tile);
    glEnable(GL_SCISSOR_TEST);
    for (const ShadowCells& part : buffers.tileParts) {
        glScissor(step * (part.column0 - tile.column), step * (part.row0 - tile.row),
                  step * (part.column1 - part.column0), step * (part.row1 - part.row0));
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
    drawSilhouettes(buffers, whole, matrix);
    endFramePass(FramePass::shadowRender);
    for (const ShadowCells& part : buffers.tileParts) readShadowGrid(tile, part, buffers);
}

}  // namespace

const ShadowGrid& shadowPass(const ObjectList& casters, const Vector3& towardsSun, uint32_t terrainWidth,
                             uint32_t terrainDepth, const VisibleQuads* drawnQuads, ShadowBuffers& buffers) {
    float matrix[16];
    makeShadowMatrix(towardsSun, matrix);
    // Every silhouette is the same black, so which one lies in front does not
    // matter: without the depth test the depth buffer need not be cleared.
    const ShadowPicture picture(terrainWidth, terrainDepth, false, buffers);
    lightReadValues(drawnQuads, buffers.shadowGrid);
    // Only the cells a silhouette may reach are drawn, read and filtered;
    // the frame reads no others, and every other cell is lit.
    chooseCasters(casters, matrix, terrainWidth, terrainDepth, drawnQuads, buffers);
    forEachTileOfPicture(static_cast<int>(terrainWidth), static_cast<int>(terrainDepth),
                         [&](const ShadowTile& tile) { drawAndReadTile(tile, matrix, buffers); });
    return buffers.shadowGrid;
}
