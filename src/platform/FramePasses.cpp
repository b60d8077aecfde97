#include "platform/FramePasses.h"

#include <GL/gl.h>

#include <cstdio>

#include "base/FatalError.h"

// For the whole process: the marks are called from deep in the passes, which
// should not carry a profiler's or a test's pointer around.
FramePassListener framePassListener = nullptr;
#ifdef NDEBUG
bool framePassErrorChecks = false;
#else
bool framePassErrorChecks = true;
#endif

void setFramePassListener(FramePassListener listener) { framePassListener = listener; }

void setFramePassErrorChecks(bool on) { framePassErrorChecks = on; }

void checkFramePassErrors(FramePass pass) {
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR) return;
    while (glGetError() != GL_NO_ERROR) {
    }
    char message[80];
    std::snprintf(message, sizeof message, "GL error 0x%04x at the end of the %s pass", error, framePassName(pass));
    throw FatalError(message);
}

const char* framePassName(FramePass pass) {
    switch (pass) {
    case FramePass::quadChoice: return "choice of quads";
    case FramePass::shadowRender: return "shadow render";
    case FramePass::shadowReadBack: return "shadow read-back";
    case FramePass::shadowFilter: return "shadow filter";
    case FramePass::sky: return "sky";
    case FramePass::clear: return "clear";
    case FramePass::view: return "view";
    case FramePass::terrain: return "terrain";
    case FramePass::trees: return "trees";
    case FramePass::orbs: return "orbs";
    case FramePass::vehicle: return "vehicle";
    case FramePass::overlay: return "overlay";
    case FramePass::hud: return "hud";
    case FramePass::swap: return "buffer swap";
    case FramePass::menu: return "menu";
    case FramePass::count: break;
    }
    return "?";
}
