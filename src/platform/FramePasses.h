#pragma once
// Marks where each pass of a game frame ends, so a profiler (the benchmark)
// can time them. Without a listener a mark costs one test of a pointer.

enum class FramePass {
    shadowRender,    // silhouettes drawn along the sun's direction
    shadowReadBack,  // glReadPixels of the silhouette picture
    shadowFilter,    // 3 x 3 blocks filtered into the shadow grid
    sky,
    terrain,
    trees,
    orbs,
    vehicle,
    overlay,
    hud,
    swap,
    count
};

const char* framePassName(FramePass pass);

using FramePassListener = void (*)(FramePass finished);

// Installs the listener (nullptr removes it).
void setFramePassListener(FramePassListener listener);

extern FramePassListener framePassListener;

inline void endFramePass(FramePass pass) {
    if (framePassListener) framePassListener(pass);
}
