#pragma once

#include <string>

// --off-screen: the frames are drawn into a framebuffer object instead of the
// window, with colour, depth and stencil as the window has them; with several
// samples a pixel, they are resolved into a second, plain one to be read.

// Creates the target and binds it for drawing; false with a line naming what
// the driver lacks in `problem`.
bool createOffScreenTarget(int width, int height, int samples, std::string& problem);
bool hasOffScreenTarget();
// The target holds its top row first, as a window's buffers do, where the
// driver offers GL_ARB_clip_control: the same scene then gives the same pixels.
bool offScreenTopRowFirst();
// Makes the finished frame the source of glReadPixels (resolving its samples);
// drawing goes on into the target.
void bindOffScreenTargetForReading();
