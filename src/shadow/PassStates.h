#pragma once

// OpenGL state of the three passes of a shadowed frame. Each begin pushes all
// attributes; endPass closes the bracket.

// Depth test and writes on, back faces culled, lighting off.
void beginAmbientPass();
// Stencil only: front faces increment, back faces decrement (depth pass), both wrapping.
void beginShadowVolumePass();
// Additive colour where the stencil count is 0, on the depth the ambient pass wrote.
void beginLitPass();
// Ends the pass begun last: pops the attributes its begin pushed.
void endPass();

// Whether the driver offers two-sided stencil with wrapping operations.
bool twoSidedStencilSupported();
