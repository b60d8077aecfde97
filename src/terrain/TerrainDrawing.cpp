// Drawing the terrain: lit, textured quads, one per grid cell, optionally
// darkened cell by cell by the shadow grid.
//
// The quads never change after loading, so they are prepared once as vertex
// arrays (texture coordinate, normal, position, four vertices a quad, in the
// order the plain loop sends them) and sent with one glDrawArrays. With a
// shadow grid each quad's brightness goes in as its vertices' colour, with
// the colour tracking the diffuse material; GL computes the lighting exactly
// as for a diffuse material changed quad by quad, so the picture is the same
// as drawVertexByVertex's, which the pixel-identity test checks. Given the
// view, only the runs of quads that may be seen are sent.
#define GL_GLEXT_PROTOTYPES  // glMultiDrawArrays (OpenGL 1.4)
#include <GL/gl.h>

#include "app/FastPaths.h"
#include "terrain/Terrain.h"
#include "texture/Texture.h"
#include "view/ViewVolume.h"

namespace {
constexpr int verticesPerQuad = VisibleQuads::verticesPerQuad;
constexpr int shadesPerQuad = verticesPerQuad * 3;  // RGB for each vertex
}

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

void Terrain::textureSteps(float& du, float& dv) const {
    du = dv = 0;
    if (!texture) return;  // every vertex then gets texture coordinate (0, 0)
    du = 1.0f / static_cast<float>(width - 1);
    dv = 1.0f / static_cast<float>(depth - 1);
}

// Visits the quads in drawing order, row by row along +z: quad(x, z) for
// each, then its four corners as corner(u, v, x, z), counter-clockwise seen
// from above. Texture coordinates are accumulated by additions, so every
// way of drawing gets the same floats.
template <typename QuadStart, typename Corner>
void Terrain::forEachQuad(QuadStart quad, Corner corner) const {
    float du, dv;
    textureSteps(du, dv);
    float v = 0;
    for (uint32_t z = 0; z + 1 < depth; ++z) {
        float nextV = v + dv;
        float u = 0;
        for (uint32_t x = 0; x + 1 < width; ++x) {
            quad(x, z);
            corner(u, v, x, z);
            corner(u, nextV, x, z + 1);
            corner(u + du, nextV, x + 1, z + 1);
            corner(u + du, v, x + 1, z);
            u += du;
        }
        v = nextV;
    }
}

void Terrain::prepareQuads() {
    size_t quads = width > 1 && depth > 1 ? size_t{width - 1} * (depth - 1) : 0;
    quadVertices.clear();
    quadVertices.reserve(quads * verticesPerQuad);
    quadShades.assign(quads * shadesPerQuad, 1.0f);
    forEachQuad([](uint32_t, uint32_t) {},
                [this](float u, float v, uint32_t x, uint32_t z) {
                    size_t i = x + size_t{z} * width;
                    quadVertices.push_back({{u, v},
                                            {normalX[i], 1.0f, normalZ[i]},
                                            {static_cast<float>(x), heights[i], static_cast<float>(z)}});
                });
    visibleQuads.prepare(heights, width, depth);
}

// Each quad takes the brightness of its corner (x, z), as the colour of its
// four vertices; only the quads about to be drawn need theirs.
void Terrain::shadeQuads(const float* shadowGrid, int firstVertex, int vertexCount) const {
    const uint32_t quadsPerRow = width - 1;
    const uint32_t firstQuad = static_cast<uint32_t>(firstVertex / verticesPerQuad);
    const uint32_t endQuad = firstQuad + static_cast<uint32_t>(vertexCount / verticesPerQuad);
    float* shade = quadShades.data() + size_t{firstQuad} * shadesPerQuad;
    for (uint32_t quad = firstQuad; quad < endQuad; ++quad) {
        const uint32_t x = quad % quadsPerRow, z = quad / quadsPerRow;
        const float s = shadowGrid[size_t{width - 1 - x} * depth + (depth - 1 - z)];
        for (int component = 0; component < shadesPerQuad; ++component) *shade++ = s;
    }
}

const VisibleQuads* Terrain::quadsToDraw(const ViewVolume* view) const {
    if (!view || !fastPaths.terrainArrays || !fastPaths.terrainCulling) return nullptr;
    visibleQuads.select(*view);
    return &visibleQuads;
}

void Terrain::draw(const float* shadowGrid, const ViewVolume* view) const {
    drawChosen(shadowGrid, quadsToDraw(view));
}

void Terrain::drawChosen(const float* shadowGrid, const VisibleQuads* chosen) const {
    if (!fastPaths.terrainArrays) {
        drawVertexByVertex(shadowGrid);
        return;
    }
    if (texture) texture->bind();
    applyMaterial();
    if (quadVertices.empty()) return;

    const int wholeGrid[2] = {0, static_cast<int>(quadVertices.size())};
    const int* firsts = chosen ? chosen->firstVertices() : &wholeGrid[0];
    const int* counts = chosen ? chosen->vertexCounts() : &wholeGrid[1];
    const int runs = chosen ? chosen->runCount() : 1;

    glInterleavedArrays(GL_T2F_N3F_V3F, 0, quadVertices.data());
    if (shadowGrid) {
        for (int run = 0; run < runs; ++run) shadeQuads(shadowGrid, firsts[run], counts[run]);
        glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, quadShades.data());
    }
    glMultiDrawArrays(GL_QUADS, firsts, counts, runs);
    if (shadowGrid) {
        glDisableClientState(GL_COLOR_ARRAY);
        glDisable(GL_COLOR_MATERIAL);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

// The plain way: every vertex through bounds-checked access, one call each,
// and the diffuse material changed quad by quad.
void Terrain::drawVertexByVertex(const float* shadowGrid) const {
    if (texture) texture->bind();
    applyMaterial();
    glBegin(GL_QUADS);
    forEachQuad(
        [&](uint32_t x, uint32_t z) {
            if (!shadowGrid) return;
            float s = shadowGrid[size_t{width - 1 - x} * depth + (depth - 1 - z)];
            const GLfloat diffuse[] = {s, s, s, 1.0f};
            glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
        },
        [this](float u, float v, uint32_t x, uint32_t z) {
            float h = 0, nx = 0, nz = 0;
            getPoint(heights, x, z, h);
            getPoint(normalX, x, z, nx);
            getPoint(normalZ, x, z, nz);
            glTexCoord2f(u, v);
            glNormal3f(nx, 1.0f, nz);
            glVertex3f(static_cast<float>(x), h, static_cast<float>(z));
        });
    glEnd();
}
