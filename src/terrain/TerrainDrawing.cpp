// Drawing the terrain: lit, textured quads, one per grid cell, optionally
// darkened cell by cell by the frame's shadow grid.
//
// The quads never change after loading, so they are prepared once as vertex
// arrays (texture coordinate, normal, position, four vertices a quad, in the
// order forEachQuad visits them) and the runs of quads the frame chose are
// sent with one glMultiDrawArrays. A shaded quad's brightness goes in as its
// vertices' colour, with the colour tracking the diffuse material; GL
// computes the lighting exactly as for a diffuse material changed quad by
// quad.
#define GL_GLEXT_PROTOTYPES  // glMultiDrawArrays (OpenGL 1.4)
#include <GL/gl.h>

#include "terrain/Terrain.h"
#include "texture/Texture.h"

namespace {
constexpr int verticesPerQuad = VisibleQuads::verticesPerQuad;
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

void Terrain::bindTexture() const {
    if (texture) texture->bind();
}

void Terrain::textureSteps(float& du, float& dv) const {
    du = dv = 0;
    if (!texture) return;  // every vertex then gets texture coordinate (0, 0)
    du = 1.0f / static_cast<float>(width - 1);
    dv = 1.0f / static_cast<float>(depth - 1);
}

void Terrain::prepareQuads() {
    size_t quads = width > 1 && depth > 1 ? size_t{width - 1} * (depth - 1) : 0;
    quadVertices.clear();
    quadVertices.reserve(quads * verticesPerQuad);
    forEachQuad([](uint32_t, uint32_t) {},
                [this](float u, float v, uint32_t x, uint32_t z) {
                    size_t i = x + size_t{z} * width;
                    quadVertices.push_back({{u, v},
                                            {normalX[i], 1.0f, normalZ[i]},
                                            {static_cast<float>(x), heights[i], static_cast<float>(z)}});
                });
    pieces.prepare(heights, width, depth);
}

void Terrain::draw(const VisibleQuads* quads) const {
    bindTexture();
    applyMaterial();
    if (quadVertices.empty()) return;

    const int wholeGrid[2] = {0, static_cast<int>(quadVertices.size())};
    const int* firsts = quads ? quads->firstVertices() : &wholeGrid[0];
    const int* counts = quads ? quads->vertexCounts() : &wholeGrid[1];
    const int runs = quads ? quads->runCount() : 1;
    const bool shaded = quads && quads->shaded();

    glInterleavedArrays(GL_T2F_N3F_V3F, 0, quadVertices.data());
    if (shaded) {
        glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, 0, quads->vertexShades());
    }
    glMultiDrawArrays(GL_QUADS, firsts, counts, runs);
    if (shaded) {
        glDisableClientState(GL_COLOR_ARRAY);
        glDisable(GL_COLOR_MATERIAL);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    leaveLastCornerCurrent(shaded ? quads : nullptr);
}

// After an array draw the current normal and texture coordinate are those of
// whichever vertex happened to be sent last, and the diffuse material that
// of the last shaded quad drawn. Whatever was culled, leave what the whole
// grid sent in order would: the last corner of the last quad, and that
// quad's brightness.
void Terrain::leaveLastCornerCurrent(const VisibleQuads* shadedQuads) const {
    const QuadVertex& last = quadVertices.back();
    glTexCoord2fv(last.texCoord);
    glNormal3fv(last.normal);
    if (!shadedQuads) return;
    const float s = shadedQuads->lastQuadShade();
    const GLfloat diffuse[] = {s, s, s, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
}
