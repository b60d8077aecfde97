#pragma once
// Marks where each pass of a game frame ends, so a profiler (the benchmark)
// can time them and a test can look at the GL state between them. Without a
// listener a mark costs one test of a pointer, and one of a flag.
//
// With error checks on (in a debug build, and in the tests), each mark also
// asks GL for an error and throws FatalError naming the pass that ended.

enum class FramePass {
    quadChoice,      // the terrain quads the view may see, found without GL
    shadowRender,    // silhouettes drawn along the sun's direction
    shadowReadBack,  // glReadPixels of the silhouette picture
    shadowFilter,    // 3 x 3 blocks filtered into the shadow grid
    sky,
    clear,           // colour and depth cleared
    view,            // the camera's matrices and the lights sent
    terrain,
    trees,
    orbs,
    vehicle,
    overlay,
    hud,
    swap,
    menu,            // one frame of the main menu
    count
};

const char* framePassName(FramePass pass);

using FramePassListener = void (*)(FramePass finished);

// Installs the listener (nullptr removes it).
void setFramePassListener(FramePassListener listener);

// Switches the error check at every mark (on by default in a debug build).
void setFramePassErrorChecks(bool on);

extern FramePassListener framePassListener;
extern bool framePassErrorChecks;

// Throws FatalError "GL error 0x0502 at the end of the terrain pass" (say)
// when GL has recorded an error.
void checkFramePassErrors(FramePass pass);

inline void endFramePass(FramePass pass) {
    if (framePassErrorChecks) checkFramePassErrors(pass);
    if (framePassListener) framePassListener(pass);
}
