#include "terrain/QuadBatch.h"

#include <GL/gl.h>

void QuadBatch::begin(bool shadedQuads) {
    if (vertices.empty()) vertices.resize(quadsPerBatch * verticesPerQuad);
    filled = 0;
    shaded = shadedQuads;
    const QuadVertex* first = vertices.data();
    constexpr GLsizei stride = sizeof(QuadVertex);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, first->texCoord);
    glNormalPointer(GL_FLOAT, stride, first->normal);
    glVertexPointer(3, GL_FLOAT, stride, first->position);
    if (shaded) {
        glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, stride, first->shade);
    }
}

void QuadBatch::send() {
    if (filled > 0) glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(filled * verticesPerQuad));
    filled = 0;
}

void QuadBatch::end() {
    send();
    if (shaded) {
        glDisableClientState(GL_COLOR_ARRAY);
        glDisable(GL_COLOR_MATERIAL);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}
