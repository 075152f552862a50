#include "platform/glx/SwapInterval.h"

#include <GL/glx.h>
#include <GL/glxext.h>

#include "platform/window/ExtensionList.h"

namespace {

bool hasExtension(Display* display, const char* name) {
    return listsExtension(glXQueryExtensionsString(display, DefaultScreen(display)), name);
}

template <typename Function>
Function entryPoint(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

// The SGI extension cannot be read back: what it was last given.
int sgiInterval = -1;

}  // namespace

bool setSwapInterval(int interval) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return false;
    if (hasExtension(display, "GLX_EXT_swap_control")) {
        if (auto swapInterval = entryPoint<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT")) {
            swapInterval(display, drawable, interval);
            return true;
        }
    }
    if (hasExtension(display, "GLX_MESA_swap_control")) {
        if (auto swapInterval = entryPoint<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA"))
            return swapInterval(static_cast<unsigned>(interval)) == 0;
    }
    if (interval >= 1 && hasExtension(display, "GLX_SGI_swap_control")) {
        if (auto swapInterval = entryPoint<PFNGLXSWAPINTERVALSGIPROC>("glXSwapIntervalSGI")) {
            if (swapInterval(interval) != 0) return false;
            sgiInterval = interval;
            return true;
        }
    }
    return false;
}

int currentSwapInterval() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable) return -1;
    if (hasExtension(display, "GLX_EXT_swap_control")) {
        unsigned value = 0;
        glXQueryDrawable(display, drawable, GLX_SWAP_INTERVAL_EXT, &value);
        return static_cast<int>(value);
    }
    if (hasExtension(display, "GLX_MESA_swap_control")) {
        if (auto getInterval = entryPoint<PFNGLXGETSWAPINTERVALMESAPROC>("glXGetSwapIntervalMESA"))
            return getInterval();
    }
    return sgiInterval;
}
