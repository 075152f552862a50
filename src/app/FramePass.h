#pragma once

// The passes of a frame, in the order the frame draws them; the frame marks
// where each begins (the lit pass again after the reflective fighter) and
// where the last ends.
enum class FramePass {
    Sky,            // the clear, the path overlay and the sky box
    Ambient,        // planet, fighter, podium and asteroids in ambient light, filling the depth buffer
    ShadowVolumes,  // the shadow volumes into the stencil buffer
    Lit,            // everything lit where no shadow falls
    Reflection,     // the reflective fighter, inside the lit pass
    Overlay,        // the frame-rate figure
    Done,           // the frame is drawn
};

constexpr int kFramePassCount = static_cast<int>(FramePass::Done);

// "sky", "ambient", "shadow volumes", "lit", "reflection", "overlay".
const char* framePassName(FramePass pass);
