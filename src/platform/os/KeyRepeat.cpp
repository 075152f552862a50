#include "platform/os/KeyRepeat.h"

#include <X11/XKBlib.h>
#include <GL/glx.h>

bool requestDetectableKeyRepeat() {
    Display* display = glXGetCurrentDisplay();
    if (!display) return false;
    Bool supported = False;
    XkbSetDetectableAutoRepeat(display, True, &supported);
    return supported == True;
}
