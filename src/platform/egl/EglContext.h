#pragma once

#include <string>

// An OpenGL context without any window or display server, through EGL: on a
// device of EGL_EXT_platform_device when the library offers one (a GPU before
// a software device), else on Mesa's surfaceless platform. It draws only into
// framebuffer objects.
struct EglContext {
    std::string platform;  // "device" or "surfaceless"
    std::string device;    // what the device is: its DRM node, "software", ...; "" on the surfaceless platform
    std::string vendor;    // the EGL implementation's vendor
};

// Loads the EGL library, creates a compatibility-profile context of at least
// OpenGL 2.0 and makes it current. False with one line naming what is missing
// in `problem`. Never opens a connection to a display server.
bool createEglContext(EglContext& context, std::string& problem);

// "Mesa Project, device platform, device software", for --info and the benchmark.
std::string eglContextText(const EglContext& context);
