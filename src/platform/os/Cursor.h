#pragma once

// The pointer and the outer rectangle of the program's own window (the one
// whose GL context is current on this thread), in screen pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;   // left + width
    int bottom = 0;  // top + height
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// False when no GL window is current on this thread.
bool activeWindowRect(ScreenRect& rect);
bool cursorPosition(ScreenPoint& point);
bool setCursorPosition(int x, int y);
