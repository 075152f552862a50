// Preloaded into the program by a test: the display lists GLX_MESA_swap_control,
// and each interval asked of it is a line on standard error.
#include <cstdio>
#include <cstring>
#include <string>

#include <GL/glx.h>
#include <dlfcn.h>

namespace {

int interval = 1;

int setInterval(unsigned asked) {
    interval = static_cast<int>(asked);
    std::fprintf(stderr, "swap interval asked: %d\n", interval);
    return 0;
}

int getInterval() { return interval; }
using QueryExtensions = const char* (*)(Display*, int);
using GetProcAddress = __GLXextFuncPtr (*)(const GLubyte*);

}  // namespace

extern "C" const char* glXQueryExtensionsString(Display* display, int screen) {
    static std::string list;
    list = reinterpret_cast<QueryExtensions>(dlsym(RTLD_NEXT, "glXQueryExtensionsString"))(display, screen);
    return (list += " GLX_MESA_swap_control").c_str();
}

extern "C" __GLXextFuncPtr glXGetProcAddressARB(const GLubyte* name) {
    const char* text = reinterpret_cast<const char*>(name);
    if (std::strcmp(text, "glXSwapIntervalMESA") == 0) return reinterpret_cast<__GLXextFuncPtr>(setInterval);
    if (std::strcmp(text, "glXGetSwapIntervalMESA") == 0) return reinterpret_cast<__GLXextFuncPtr>(getInterval);
    return reinterpret_cast<GetProcAddress>(dlsym(RTLD_NEXT, "glXGetProcAddressARB"))(name);
}
