#include "app/FrameCapture.h"

#include <cstdio>
#include <iostream>
#include <vector>

#include <GL/glew.h>

#include "platform/image/PngWriter.h"
#include "platform/os/OutputFile.h"

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
    std::vector<unsigned char> png;
    std::string problem = "could not compress the picture";
    if (encodePng(width, height, pixels.data(), png) && writeOutputFile(name, png.data(), png.size(), problem))
        return true;
    std::cerr << "[ERROR] Could not write frame " << name << ": " << problem << std::endl;
    return false;
}
