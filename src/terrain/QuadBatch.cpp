#include "terrain/QuadBatch.h"

#define GL_GLEXT_PROTOTYPES  // buffer objects (OpenGL 1.5)
#include <GL/gl.h>

#include <cstdint>

#include "base/FatalError.h"

namespace {
// An offset into the bound buffer, as the array pointers take it.
const void* offsetOf(size_t bytes) { return reinterpret_cast<const void*>(static_cast<uintptr_t>(bytes)); }
}  // namespace

void QuadBatch::begin(bool shadedQuads) {
    constexpr size_t bytes = quadsPerBatch * verticesPerQuad * sizeof(QuadVertex);
    const bool made = buffer != 0;
    if (!made) glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    if (!made) glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_STREAM_DRAW);
    filled = runStart = 0;
    runs = 0;
    shaded = shadedQuads;
    constexpr GLsizei stride = sizeof(QuadVertex);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, offsetOf(offsetof(QuadVertex, texCoord)));
    glNormalPointer(GL_FLOAT, stride, offsetOf(offsetof(QuadVertex, normal)));
    glVertexPointer(3, GL_FLOAT, stride, offsetOf(offsetof(QuadVertex, position)));
    if (shaded) {
        glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, stride, offsetOf(offsetof(QuadVertex, shade)));
    }
}

void QuadBatch::map() {
    mapped = static_cast<QuadVertex*>(glMapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY));
    if (!mapped) throw FatalError("Could not map the terrain's vertex buffer");
}

void QuadBatch::endRun() {
    if (filled == runStart) return;
    firsts[runs] = static_cast<int>(runStart * verticesPerQuad);
    counts[runs] = static_cast<int>((filled - runStart) * verticesPerQuad);
    runStart = filled;
    ++runs;
}

// A run that does not fit is split: its first part goes with this batch.
void QuadBatch::send() {
    endRun();
    if (mapped) glUnmapBuffer(GL_ARRAY_BUFFER);
    mapped = nullptr;
    if (runs > 0) glMultiDrawArrays(GL_QUADS, firsts, counts, runs);
    filled = runStart = 0;
    runs = 0;
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
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void QuadBatch::release() {
    if (buffer) glDeleteBuffers(1, &buffer);
    buffer = 0;
}
