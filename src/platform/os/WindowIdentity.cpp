#include "platform/os/WindowIdentity.h"

#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <GL/glx.h>

namespace {

const long kChangePropertyHeader = 6;  // request units (4 bytes) before a property's data

// The leading images of `icon` whose values fit in `maxValues`, as the longs
// that Xlib sends as 32-bit items.
std::vector<unsigned long> imagesThatFit(const IconImages& icon, long maxValues) {
    std::vector<unsigned long> values;
    std::size_t next = 0;
    while (next + 2 <= icon.count) {
        const std::size_t end = next + 2 + static_cast<std::size_t>(icon.values[next]) * icon.values[next + 1];
        if (end > icon.count || static_cast<long>(end) > maxValues) break;
        values.insert(values.end(), icon.values + next, icon.values + end);
        next = end;
    }
    return values;
}

void setClass(Display* display, Window window) {
    XClassHint hint;
    char name[] = "zendrils";  // XClassHint takes writable strings
    hint.res_name = name;
    hint.res_class = name;
    XSetClassHint(display, window, &hint);
}

void setIcon(Display* display, Window window, const IconImages& icon) {
    long maxRequest = XExtendedMaxRequestSize(display);
    if (maxRequest == 0) maxRequest = XMaxRequestSize(display);
    const std::vector<unsigned long> values = imagesThatFit(icon, maxRequest - kChangePropertyHeader);
    if (values.empty()) return;
    const Atom property = XInternAtom(display, "_NET_WM_ICON", False);
    XChangeProperty(display, window, property, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
}

}  // namespace

bool setWindowIdentity(const IconImages& icon) {
    Display* display = glXGetCurrentDisplay();
    const Window window = static_cast<Window>(glXGetCurrentDrawable());
    if (!display || window == 0) return false;
    setClass(display, window);
    setIcon(display, window, icon);
    XFlush(display);
    return true;
}
