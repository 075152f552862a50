#include "support/FrameWatch.h"

#include <cstdlib>
#include <poll.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

namespace {

// While it lives, an X error (the window is gone, and its damage record with
// it) ends no test: the watch just sees no more frames.
class XErrorsIgnored {
public:
    XErrorsIgnored() : previous(XSetErrorHandler(ignore)) {}
    ~XErrorsIgnored() { XSetErrorHandler(previous); }
    XErrorsIgnored(const XErrorsIgnored&) = delete;
    XErrorsIgnored& operator=(const XErrorsIgnored&) = delete;

private:
    XErrorHandler previous;
    static int ignore(Display*, XErrorEvent*) { return 0; }
};

}  // namespace

FrameWatch::FrameWatch(const std::string& displayName, const std::string& windowId) {
    display = XOpenDisplay(displayName.c_str());
    int errorBase = 0;
    if (!display || windowId.empty() || !XDamageQueryExtension(display, &damageNotify, &errorBase)) return;
    damageNotify += XDamageNotify;
    const XErrorsIgnored ignored;
    // A report each time the window is drawn on after the reports so far were taken.
    damage = XDamageCreate(display, std::strtoul(windowId.c_str(), nullptr, 10), XDamageReportNonEmpty);
    XSync(display, False);
}

// The server frees the damage record with the connection.
FrameWatch::~FrameWatch() {
    const XErrorsIgnored ignored;
    if (display) XCloseDisplay(display);
}

bool FrameWatch::waitForFrames(int frames, double timeoutSeconds) {
    if (!damage) return false;
    const XErrorsIgnored ignored;
    forgetEarlierFrames();
    int shown = 0;
    for (double waited = 0; waited < timeoutSeconds && shown < frames; waited += 0.05) shown += updatesWithin(0.05);
    return shown >= frames;
}

// Drops the reports queued so far, then empties the damaged region: the next
// drawing is reported. (Emptied first, a drawing reported before the drop would
// leave the region damaged and no more reports coming.)
void FrameWatch::forgetEarlierFrames() {
    XSync(display, True);
    XDamageSubtract(display, damage, None, None);
    XFlush(display);
}

int FrameWatch::updatesWithin(double seconds) {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    if (!XPending(display)) poll(&connection, 1, static_cast<int>(seconds * 1000));
    int updates = 0;
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != damageNotify) continue;
        ++updates;
        XDamageSubtract(display, damage, None, None);
    }
    return updates;
}
