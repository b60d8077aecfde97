#pragma once
// Room for the vertices of a batch of terrain quads, in a GL buffer object.
// A frame's quads are written into it from the grid and sent a batch at a
// time, so the memory and the work of drawing the ground follow the quads in
// view, not the size of the grid. Its size is fixed: it is made by the first
// draw and reused, and the quads are written straight into the buffer's
// memory, so the driver neither copies them nor allocates for them. The
// quads are drawn by index, four a quad, so that neighbours along a row can
// share the vertices of the edge between them.
//
// An OpenGL older than 1.5 has no buffer objects, and one that cannot map a
// buffer (indirect rendering, say) cannot use them: the batch then lives in
// the program's memory and goes as client-side vertex arrays (OpenGL 1.1),
// one glDrawElements a run, for the same picture. The first draw says so in
// one line on standard error.
#include <cstddef>
#include <cstdint>
#include <memory>

struct QuadVertex {
    float texCoord[2];
    float shade[3];  // the quad's brightness, as the colour the diffuse material tracks
    float normal[3];
    float position[3];
};

class QuadBatch {
public:
    // Every run of a view from the chase or ride seat fits, and a whole grid
    // of 128 x 128 points.
    static constexpr size_t quadsPerBatch = 16384;
    static constexpr int verticesPerQuad = 4;

    QuadBatch() = default;
    ~QuadBatch() { release(); }
    QuadBatch(const QuadBatch&) = delete;
    QuadBatch& operator=(const QuadBatch&) = delete;

    // Points the vertex arrays at the batch; shaded quads bring their own
    // brightness as the colour the diffuse material tracks.
    void begin(bool shaded);
    // Room for the next quad's four vertices; a full batch is sent first.
    QuadVertex* nextQuad() {
        if (full()) send();
        if (!mapped) map();
        addQuad(verticesFilled, verticesFilled + 1, verticesFilled + 2);
        verticesFilled += verticesPerQuad;
        return &mapped[verticesFilled - verticesPerQuad];
    }
    // Room for the last two vertices of a quad whose first two are the last
    // two of the quad just written, the same in every field: the next quad
    // along a row, with the same shade. Each shared vertex is lit once, not
    // twice. Null when that quad went with an earlier draw; the quad is then
    // written whole, with nextQuad.
    QuadVertex* nextQuadSharingAnEdge() {
        if (full() || verticesFilled == 0) return nullptr;
        // Corners 0 and 1 of the new quad are corners 3 and 2 of the last.
        addQuad(verticesFilled - 1, verticesFilled - 2, verticesFilled);
        verticesFilled += 2;
        return &mapped[verticesFilled - 2];
    }
    // Closes the run of quads written since the last one closed. Each run is
    // a draw of its own, and a batch's runs go with one glMultiDrawElements.
    // A software rasteriser splits a quad into triangles along one diagonal
    // when something else in its draw needs clipping and along the other
    // when nothing does, so which quads share a draw shapes the ground.
    void endRun();
    // Sends what is left, turns the arrays off again and unbinds the buffer.
    void end();
    // Deletes the buffer; needs the GL context it was made in.
    void release();
    // Sends from client memory from now on, as where the GL has no buffer
    // objects, so the benchmark can time both paths on one driver.
    void sendFromClientMemory() { turnToClientMemory("Buffer objects were turned off"); }

private:
    static constexpr int runsPerBatch = 4096;
    static constexpr size_t indicesPerBatch = quadsPerBatch * verticesPerQuad;

    bool full() const { return quadsFilled == quadsPerBatch || runs == runsPerBatch; }
    // Indexes the next quad: corners 0 and 1 are the vertices first and
    // second, corners 2 and 3 the vertices third and third + 1.
    void addQuad(size_t first, size_t second, size_t third) {
        uint32_t* index = &indices[verticesPerQuad * quadsFilled++];
        index[0] = static_cast<uint32_t>(first);
        index[1] = static_cast<uint32_t>(second);
        index[2] = static_cast<uint32_t>(third);
        index[3] = static_cast<uint32_t>(third + 1);
    }
    void map();
    void send();
    void pointArrays() const;
    void turnToClientMemory(const char* why);

    std::unique_ptr<QuadVertex[]> clientMemory;  // the batch, without a buffer object
    std::unique_ptr<uint32_t[]> indices;         // always in the program's memory
    unsigned buffer = 0;           // GL buffer object name, 0 until the first draw
    QuadVertex* mapped = nullptr;  // the vertices' memory while it is being written
    size_t quadsFilled = 0;        // quads written since the last send
    size_t verticesFilled = 0;     // and their vertices, fewer where quads share them
    size_t runStart = 0;           // the first quad of the run being written
    int runs = 0;                  // runs closed since the last send
    const void* firsts[runsPerBatch] = {};  // their first indices and index counts
    int counts[runsPerBatch] = {};
    bool shaded = false;
};
