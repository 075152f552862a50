#include "camera/MouseLook.h"

#include "platform/os/Cursor.h"

int halfTowardsMinusInfinity(int value) { return value >= 0 ? value / 2 : -((-(value + 1)) / 2) - 1; }

bool recentreCursor(int& offsetX, int& offsetY) {
    ScreenRect rect;
    ScreenPoint cursor;
    if (!activeWindowRect(rect) || !cursorPosition(cursor)) return false;
    const int cx = halfTowardsMinusInfinity(rect.right);
    const int cy = halfTowardsMinusInfinity(rect.bottom);
    if (cursor.x == cx && cursor.y == cy) return false;
    setCursorPosition(cx, cy);
    offsetX = cx - cursor.x;
    offsetY = cy - cursor.y;
    return true;
}
