#include "app/FramePass.h"

const char* framePassName(FramePass pass) {
    switch (pass) {
        case FramePass::Sky: return "sky";
        case FramePass::Ambient: return "ambient";
        case FramePass::ShadowVolumes: return "shadow volumes";
        case FramePass::Lit: return "lit";
        case FramePass::Reflection: return "reflection";
        case FramePass::Overlay: return "overlay";
        case FramePass::Done: break;
    }
    return "done";
}
