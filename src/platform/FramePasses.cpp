#include "platform/FramePasses.h"

FramePassListener framePassListener = nullptr;

void setFramePassListener(FramePassListener listener) { framePassListener = listener; }

const char* framePassName(FramePass pass) {
    switch (pass) {
    case FramePass::shadowRender: return "shadow render";
    case FramePass::shadowReadBack: return "shadow read-back";
    case FramePass::shadowFilter: return "shadow filter";
    case FramePass::sky: return "sky";
    case FramePass::terrain: return "terrain";
    case FramePass::trees: return "trees";
    case FramePass::orbs: return "orbs";
    case FramePass::vehicle: return "vehicle";
    case FramePass::overlay: return "overlay";
    case FramePass::hud: return "hud";
    case FramePass::swap: return "buffer swap";
    case FramePass::count: break;
    }
    return "?";
}
