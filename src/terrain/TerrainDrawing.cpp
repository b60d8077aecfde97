// Drawing the terrain: lit, textured quads, one per grid cell, optionally
// darkened cell by cell by the frame's shadow grid.
//
// The grid keeps only its heights and normals. Each frame the quads in view
// are written out from them as vertex arrays (texture coordinate, normal,
// position; four indices a quad, in the order forEachQuad visits them, and
// two new vertices for a quad that shares an edge with the one before it)
// and sent a batch at a time. A shaded quad's brightness goes in as its
// vertices' colour, with the colour tracking the diffuse material; GL
// computes the lighting exactly as for a diffuse material changed quad by
// quad.
#include <GL/gl.h>

#include <cstdint>

#include "platform/GlStateScope.h"
#include "terrain/QuadBatch.h"
#include "terrain/ShadowGrid.h"
#include "terrain/Terrain.h"
#include "texture/Texture.h"
#include "view/PixelCentres.h"

void Terrain::applyMaterial() {
    const GLfloat ambient[] = {0.1f, 0.1f, 0.1f, 1.0f};
    const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat black[] = {0.0f, 0.0f, 0.0f, 1.0f};
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
}

void Terrain::bindTexture() const {
    if (texture) {
        texture->bind();
    } else {
        glBindTexture(GL_TEXTURE_2D, 0);
    }
}

void Terrain::draw(const VisibleQuads& quads, const ShadowGrid* shadows, QuadBatch& batch,
                   const PixelCentres* centres) const {
    bindTexture();
    applyMaterial();
    if (width < 2 || depth < 2) return;  // no quads
    sendQuads(quads, shadows, batch, centres);
}

void Terrain::draw() const {
    VisibleQuads every;
    every.selectAll(pieces);
    QuadBatch batch;
    draw(every, nullptr, batch);
}

void Terrain::draw(const ShadowGrid& shadows) const {
    VisibleQuads every;
    every.selectAll(pieces);
    QuadBatch batch;
    draw(every, &shadows, batch);
}

// Array drawing leaves the current colour undefined, and shaded quads change
// what the colour drives; both are put back as they were.
void Terrain::sendQuads(const VisibleQuads& quads, const ShadowGrid* shadows, QuadBatch& batch,
                        const PixelCentres* centres) const {
    const GlStateScope arrays(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_LIGHTING_BIT, GL_CLIENT_VERTEX_ARRAY_BIT);
    batch.begin(shadows != nullptr);
    // Far ground seen at a low angle is mostly quads thinner than a pixel
    // that fall between the pixel centres; those are not sent at all. A
    // piece of a row whose whole box falls between them is passed over at
    // once, without looking at its quads.
    uint32_t testedRow = UINT32_MAX, testedPiece = UINT32_MAX;
    bool pieceMissed = false;
    auto inMissedPiece = [&](uint32_t x, uint32_t z) {
        const uint32_t piece = x / QuadPieces::quadsPerPiece;
        if (z != testedRow || piece != testedPiece) {
            testedRow = z, testedPiece = piece;
            const QuadPieces::Box box = pieces.box(z, piece);
            pieceMissed = centres->missedByBox(box.low, box.high);
        }
        return pieceMissed;
    };
    // A quad that follows the last one written along its row, with the same
    // shade, shares its two vertices on the edge between them.
    uint32_t lastX = UINT32_MAX, lastZ = UINT32_MAX;
    float lastShade = 0;
    auto writeQuad = [&](uint32_t x, uint32_t z) {
        if (centres && inMissedPiece(x, z)) return;
        size_t index[4];
        float positions[4][3];
        for (int c = 0; c < 4; ++c) {
            const uint32_t cornerX = x + quadCorners[c][0], cornerZ = z + quadCorners[c][1];
            index[c] = cornerX + size_t{cornerZ} * width;
            positions[c][0] = static_cast<float>(cornerX);
            positions[c][1] = heights[index[c]];
            positions[c][2] = static_cast<float>(cornerZ);
        }
        if (centres && centres->missedBy(positions)) return;
        const float shade = shadows ? shadows->at(x, z) : 1.0f;
        const bool followsLast = x == lastX + 1 && z == lastZ && shade == lastShade;
        QuadVertex* vertex = followsLast ? batch.nextQuadSharingAnEdge() : nullptr;
        const int firstCorner = vertex ? 2 : 0;
        if (!vertex) vertex = batch.nextQuad();
        lastX = x, lastZ = z, lastShade = shade;
        for (int c = firstCorner; c < 4; ++c) {
            const size_t i = index[c];
            *vertex++ = {{columnU[x + quadCorners[c][0]], rowV[z + quadCorners[c][1]]},
                         {shade, shade, shade},
                         {normalX[i], 1.0f, normalZ[i]},
                         {positions[c][0], positions[c][1], positions[c][2]}};
        }
    };
    // Each run is a draw of its own, as llvmpipe sends a draw without
    // clipping faster, but for runs cut by hidden ground: those go together,
    // since a short run beyond a hill, alone in its draw, would be folded
    // otherwise than the same quads drawn with the rest of the ground.
    const bool drawPerRun = !quads.leftOutHiddenGround();
    for (const QuadRun& run : quads.runs()) {
        quads.forEachQuadIn(run, writeQuad);
        if (drawPerRun) batch.endRun();
    }
    batch.end();
}
