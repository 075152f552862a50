#pragma once

// The mouse-look reference point: half the right and bottom screen coordinates
// of the active window's outer rectangle (rounding towards minus infinity).
int halfTowardsMinusInfinity(int value);

// When the cursor is away from the reference point, moves it back there and
// gives (reference - cursor); false when it is already there or no window is current.
bool recentreCursor(int& offsetX, int& offsetY);
