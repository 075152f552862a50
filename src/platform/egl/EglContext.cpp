#include "platform/egl/EglContext.h"

#include <vector>

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <dlfcn.h>

#include "platform/window/ExtensionList.h"

namespace {

// The library is opened at run time: a program that draws in a window needs none.
const char* const kEglLibrary = "libEGL.so.1";
constexpr EGLint kMostDevices = 16;

struct EglFunctions {
    PFNEGLGETPROCADDRESSPROC getProcAddress = nullptr;
    PFNEGLQUERYSTRINGPROC queryString = nullptr;
    PFNEGLINITIALIZEPROC initialize = nullptr;
    PFNEGLBINDAPIPROC bindApi = nullptr;
    PFNEGLCHOOSECONFIGPROC chooseConfig = nullptr;
    PFNEGLCREATECONTEXTPROC createContext = nullptr;
    PFNEGLMAKECURRENTPROC makeCurrent = nullptr;
    PFNEGLGETPLATFORMDISPLAYEXTPROC getPlatformDisplay = nullptr;
    PFNEGLQUERYDEVICESEXTPROC queryDevices = nullptr;
    PFNEGLQUERYDEVICESTRINGEXTPROC queryDeviceString = nullptr;
};

template <typename Function>
bool loadCore(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

template <typename Function>
void loadExtension(const EglFunctions& egl, const char* name, Function& function) {
    function = reinterpret_cast<Function>(egl.getProcAddress(name));
}

bool loadFunctions(EglFunctions& egl, std::string& problem) {
    void* library = dlopen(kEglLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        problem = std::string("no EGL library (") + kEglLibrary + "; Debian's package libegl1)";
        return false;
    }
    if (!loadCore(library, "eglGetProcAddress", egl.getProcAddress) ||
        !loadCore(library, "eglQueryString", egl.queryString) || !loadCore(library, "eglInitialize", egl.initialize) ||
        !loadCore(library, "eglBindAPI", egl.bindApi) || !loadCore(library, "eglChooseConfig", egl.chooseConfig) ||
        !loadCore(library, "eglCreateContext", egl.createContext) ||
        !loadCore(library, "eglMakeCurrent", egl.makeCurrent)) {
        problem = std::string("the EGL library ") + kEglLibrary + " lacks the functions of EGL 1.4";
        return false;
    }
    loadExtension(egl, "eglGetPlatformDisplayEXT", egl.getPlatformDisplay);
    loadExtension(egl, "eglQueryDevicesEXT", egl.queryDevices);
    loadExtension(egl, "eglQueryDeviceStringEXT", egl.queryDeviceString);
    return true;
}

// What a device is, for --info and the benchmark: its DRM node where it has one.
std::string deviceName(const EglFunctions& egl, EGLDeviceEXT device) {
    const char* extensions = egl.queryDeviceString(device, EGL_EXTENSIONS);
    if (listsExtension(extensions, "EGL_MESA_device_software")) return "software";
    if (listsExtension(extensions, "EGL_EXT_device_drm_render_node"))
        if (const char* node = egl.queryDeviceString(device, EGL_DRM_RENDER_NODE_FILE_EXT)) return node;
    if (listsExtension(extensions, "EGL_EXT_device_drm"))
        if (const char* node = egl.queryDeviceString(device, EGL_DRM_DEVICE_FILE_EXT)) return node;
    return "unnamed";
}

// The devices, GPUs before software ones.
std::vector<EGLDeviceEXT> devicesInOrder(const EglFunctions& egl) {
    EGLDeviceEXT found[kMostDevices];
    EGLint count = 0;
    if (!egl.queryDevices || !egl.queryDeviceString || !egl.queryDevices(kMostDevices, found, &count)) return {};
    std::vector<EGLDeviceEXT> devices;
    for (const bool software : {false, true})
        for (EGLint i = 0; i < count; ++i)
            if ((deviceName(egl, found[i]) == "software") == software) devices.push_back(found[i]);
    return devices;
}

bool initialized(const EglFunctions& egl, EGLDisplay display) {
    EGLint major = 0, minor = 0;
    return display != EGL_NO_DISPLAY && egl.initialize(display, &major, &minor);
}

// The first display that initialises, on a device or else on the surfaceless
// platform; never EGL_DEFAULT_DISPLAY, which would be DISPLAY's X server.
EGLDisplay openDisplay(const EglFunctions& egl, EglContext& context, std::string& problem) {
    const char* clientExtensions = egl.queryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
    if (!egl.getPlatformDisplay) {
        problem = "the EGL library offers no platforms (EGL_EXT_platform_base)";
        return EGL_NO_DISPLAY;
    }
    if (listsExtension(clientExtensions, "EGL_EXT_platform_device"))
        for (EGLDeviceEXT device : devicesInOrder(egl)) {
            const EGLDisplay display = egl.getPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
            if (!initialized(egl, display)) continue;
            context.platform = "device";
            context.device = deviceName(egl, device);
            return display;
        }
    if (listsExtension(clientExtensions, "EGL_MESA_platform_surfaceless")) {
        const EGLDisplay display = egl.getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (initialized(egl, display)) {
            context.platform = "surfaceless";
            return display;
        }
    }
    problem = "no usable EGL device or display (EGL_EXT_platform_device, EGL_MESA_platform_surfaceless)";
    return EGL_NO_DISPLAY;
}

// No configuration where the display takes none: the frames go to framebuffer
// objects, which carry their own depth and stencil.
bool chooseConfig(const EglFunctions& egl, EGLDisplay display, EGLConfig& config, std::string& problem) {
    config = EGL_NO_CONFIG_KHR;
    if (listsExtension(egl.queryString(display, EGL_EXTENSIONS), "EGL_KHR_no_config_context")) return true;
    const EGLint wanted[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_DEPTH_SIZE, 24, EGL_STENCIL_SIZE, 8,
                             EGL_SURFACE_TYPE, EGL_DONT_CARE, EGL_NONE};
    EGLint count = 0;
    if (egl.chooseConfig(display, wanted, &config, 1, &count) && count > 0) return true;
    problem = "the EGL display offers no configuration for OpenGL with depth and stencil buffers";
    return false;
}

bool makeContextCurrent(const EglFunctions& egl, EGLDisplay display, std::string& problem) {
    if (!listsExtension(egl.queryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context")) {
        problem = "the EGL display cannot draw without a surface (EGL_KHR_surfaceless_context)";
        return false;
    }
    if (!egl.bindApi(EGL_OPENGL_API)) {
        problem = "the EGL display makes no OpenGL contexts";
        return false;
    }
    EGLConfig config;
    if (!chooseConfig(egl, display, config, problem)) return false;
    // Asked for 2.0, a driver gives the newest version it has with the compatibility profile.
    const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 0,
                                 EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                 EGL_NONE};
    const EGLContext context = egl.createContext(display, config, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) {
        problem = "the EGL display makes no OpenGL 2.0 context with the compatibility profile";
        return false;
    }
    if (!egl.makeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        problem = "the EGL context cannot be made current without a surface";
        return false;
    }
    return true;
}

}  // namespace

bool createEglContext(EglContext& context, std::string& problem) {
    EglFunctions egl;
    if (!loadFunctions(egl, problem)) return false;
    const EGLDisplay display = openDisplay(egl, context, problem);
    if (display == EGL_NO_DISPLAY || !makeContextCurrent(egl, display, problem)) return false;
    const char* vendor = egl.queryString(display, EGL_VENDOR);
    context.vendor = vendor ? vendor : "";
    return true;
}

std::string eglContextText(const EglContext& context) {
    std::string text = context.vendor + ", " + context.platform + " platform";
    return context.device.empty() ? text : text + ", device " + context.device;
}
