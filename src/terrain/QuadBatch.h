#pragma once
// Room for the vertices of a batch of terrain quads. A frame's quads are
// written into it from the grid and sent a batch at a time, so the memory and
// the work of drawing the ground follow the quads in view, not the size of
// the grid. Its size is fixed: it is allocated by the first draw and reused.
#include <cstddef>
#include <vector>

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

    // Points the vertex arrays at the batch; shaded quads bring their own
    // brightness as the colour the diffuse material tracks.
    void begin(bool shaded);
    // Room for the next quad's four vertices; a full batch is sent first.
    QuadVertex* nextQuad() {
        if (filled == quadsPerBatch) send();
        return &vertices[verticesPerQuad * filled++];
    }
    // Draws the quads written since the last send.
    void send();
    // Sends what is left and turns the arrays off again.
    void end();

private:
    std::vector<QuadVertex> vertices;
    size_t filled = 0;  // quads written since the last send
    bool shaded = false;
};
