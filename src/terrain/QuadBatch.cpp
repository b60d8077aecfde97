#include "terrain/QuadBatch.h"

#define GL_GLEXT_PROTOTYPES  // buffer objects (OpenGL 1.5)
#include <GL/gl.h>

#include <cstdint>
#include <cstdio>

namespace {
// A field of the batch's vertices from base, the batch's first byte: 0 in
// the bound buffer (the array pointers then take offsets), or client memory.
const void* field(uintptr_t base, size_t offset) { return reinterpret_cast<const void*>(base + offset); }

// Buffer objects are core from OpenGL 1.5, glMultiDrawElements from 1.4. When
// they are missing, why says so, for the note.
bool offersBufferObjects(char (&why)[96]) {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0, minor = 0;
    if (!version || std::sscanf(version, "%d.%d", &major, &minor) != 2) {
        std::snprintf(why, sizeof why, "This OpenGL names no version, so it may have no vertex buffer objects");
        return false;
    }
    std::snprintf(why, sizeof why, "OpenGL %d.%d has no vertex buffer objects", major, minor);
    return major > 1 || (major == 1 && minor >= 5);
}
}  // namespace

void QuadBatch::turnToClientMemory(const char* why) {
    if (buffer) glDeleteBuffers(1, &buffer);
    buffer = 0;
    clientMemory = std::make_unique<QuadVertex[]>(indicesPerBatch);
    static bool told = false;  // once a process, not once a game
    if (!told) std::fprintf(stderr, "%s; the terrain is sent from client-side vertex arrays.\n", why);
    told = true;
}

void QuadBatch::pointArrays() const {
    const uintptr_t base = reinterpret_cast<uintptr_t>(clientMemory.get());  // 0 with a buffer
    constexpr GLsizei stride = sizeof(QuadVertex);
    glTexCoordPointer(2, GL_FLOAT, stride, field(base, offsetof(QuadVertex, texCoord)));
    glNormalPointer(GL_FLOAT, stride, field(base, offsetof(QuadVertex, normal)));
    glVertexPointer(3, GL_FLOAT, stride, field(base, offsetof(QuadVertex, position)));
    if (shaded) glColorPointer(3, GL_FLOAT, stride, field(base, offsetof(QuadVertex, shade)));
}

void QuadBatch::begin(bool shadedQuads) {
    // The first draw chooses the path: it makes the buffer, or the client memory.
    char why[96];
    if (!buffer && !clientMemory && !offersBufferObjects(why)) turnToClientMemory(why);
    constexpr size_t bytes = indicesPerBatch * sizeof(QuadVertex);
    if (!indices) indices = std::make_unique<uint32_t[]>(indicesPerBatch);
    if (!clientMemory) {
        const bool made = buffer != 0;
        if (!made) glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        if (!made) glBufferData(GL_ARRAY_BUFFER, bytes, nullptr, GL_STREAM_DRAW);
    }
    quadsFilled = verticesFilled = runStart = 0;
    runs = 0;
    shaded = shadedQuads;
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    if (shaded) {
        glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
        glEnableClientState(GL_COLOR_ARRAY);
    }
    pointArrays();
}

void QuadBatch::map() {
    if (!clientMemory) {
        mapped = static_cast<QuadVertex*>(glMapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY));
        if (mapped) return;
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        turnToClientMemory("This OpenGL could not map a vertex buffer");
        pointArrays();
    }
    mapped = clientMemory.get();
}

void QuadBatch::endRun() {
    if (quadsFilled == runStart) return;
    firsts[runs] = &indices[runStart * verticesPerQuad];
    counts[runs] = static_cast<int>((quadsFilled - runStart) * verticesPerQuad);
    runStart = quadsFilled;
    ++runs;
}

// A run that does not fit is split: its first part goes with this batch.
// The indices stay in the program's memory on both paths.
void QuadBatch::send() {
    endRun();
    if (clientMemory) {
        // Each draw takes from client memory only the vertices its indices name.
        for (int run = 0; run < runs; ++run) glDrawElements(GL_QUADS, counts[run], GL_UNSIGNED_INT, firsts[run]);
    } else {
        if (mapped) glUnmapBuffer(GL_ARRAY_BUFFER);
        if (runs > 0) glMultiDrawElements(GL_QUADS, counts, GL_UNSIGNED_INT, firsts, runs);
    }
    mapped = nullptr;
    quadsFilled = verticesFilled = runStart = 0;
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
    if (!clientMemory) glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void QuadBatch::release() {
    if (buffer) glDeleteBuffers(1, &buffer);
    buffer = 0;
    clientMemory.reset();
    indices.reset();
}
