#include "platform/os/Cursor.h"

#include <X11/Xlib.h>
#include <GL/glx.h>

namespace {

struct CurrentWindow {
    Display* display = nullptr;
    Window window = 0;
};

bool currentWindow(CurrentWindow& current) {
    current.display = glXGetCurrentDisplay();
    current.window = static_cast<Window>(glXGetCurrentDrawable());
    return current.display != nullptr && current.window != 0;
}

// The ancestor just below the root: the window manager's frame when there is one.
Window outerWindow(Display* display, Window window) {
    for (;;) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int childCount = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &childCount)) return window;
        if (children) XFree(children);
        if (parent == 0 || parent == root) return window;
        window = parent;
    }
}

}  // namespace

bool activeWindowRect(ScreenRect& rect) {
    CurrentWindow current;
    if (!currentWindow(current)) return false;
    const Window outer = outerWindow(current.display, current.window);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(current.display, outer, &attributes)) return false;
    int screenX = 0, screenY = 0;
    Window child = 0;
    // The border lies outside the window's origin.
    if (!XTranslateCoordinates(current.display, outer, attributes.root, -attributes.border_width,
                               -attributes.border_width, &screenX, &screenY, &child)) {
        return false;
    }
    const int border = 2 * attributes.border_width;
    rect.left = screenX;
    rect.top = screenY;
    rect.right = screenX + attributes.width + border;
    rect.bottom = screenY + attributes.height + border;
    return true;
}

bool cursorPosition(ScreenPoint& point) {
    CurrentWindow current;
    if (!currentWindow(current)) return false;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(current.display, current.window, &root, &child, &rootX, &rootY, &windowX, &windowY,
                       &buttons)) {
        return false;  // the pointer is on another screen
    }
    point.x = rootX;
    point.y = rootY;
    return true;
}

bool setCursorPosition(int x, int y) {
    CurrentWindow current;
    if (!currentWindow(current)) return false;
    const Window root = DefaultRootWindow(current.display);
    XWarpPointer(current.display, None, root, 0, 0, 0, 0, x, y);
    XFlush(current.display);
    return true;
}
