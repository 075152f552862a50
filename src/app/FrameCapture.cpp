#include "app/FrameCapture.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

#include <GL/glew.h>

#include "app/PngFile.h"

std::string capturedFrameName(const std::string& folder, long frame) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06ld.png", frame);
    return folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name;
}

bool captureFrame(const std::string& folder, long frame, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPopClientAttrib();

    const std::string name = capturedFrameName(folder, frame);
    const std::string partial = name + ".part";
    std::string problem;
    bool written = writePng(partial, width, height, pixels.data(), problem);
    if (written && std::rename(partial.c_str(), name.c_str()) != 0) {
        problem = std::strerror(errno);
        written = false;
    }
    if (written) return true;
    std::remove(partial.c_str());
    std::cerr << "[ERROR] Could not write frame " << name << ": " << problem << std::endl;
    return false;
}
