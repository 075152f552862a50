#pragma once

// The swap interval of the current window: how many refreshes of the screen
// each swap waits for (0: none). Through GLX_EXT_swap_control, else
// GLX_MESA_swap_control, else GLX_SGI_swap_control, which cannot set 0.

// False when no extension of the driver could set `interval`.
bool setSwapInterval(int interval);
// The interval in effect, or -1 when the driver cannot tell.
int currentSwapInterval();
