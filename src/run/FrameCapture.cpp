#include "run/FrameCapture.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include <GL/glew.h>

#include "platform/image/PngWriter.h"
#include "platform/os/OutputFile.h"
#include "platform/os/ShownValue.h"
#include "run/OffScreenTarget.h"

std::vector<unsigned char> readFrame(int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    if (hasOffScreenTarget()) bindOffScreenTargetForReading();
    else glReadBuffer(GL_BACK);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPopClientAttrib();
    if (hasOffScreenTarget() && offScreenTopRowFirst()) flipRows(pixels, width, height);
    return pixels;
}

void flipRows(std::vector<unsigned char>& pixels, int width, int height) {
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels.begin() + row * top, pixels.begin() + row * (top + 1), pixels.begin() + row * bottom);
}

std::string pathInFolder(const std::string& folder, const std::string& name) {
    return folder + (folder.empty() || folder.back() == '/' ? "" : "/") + name;
}

std::string capturedFrameName(const std::string& folder, long frame) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%06ld.png", frame);
    return pathInFolder(folder, name);
}

bool writeFramePicture(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb) {
    std::vector<unsigned char> png;
    std::string problem = "could not compress the picture";
    if (encodePng(width, height, rgb.data(), png) && writeOutputFile(path, png.data(), png.size(), problem))
        return true;
    std::cerr << "[ERROR] Could not write frame " << shownValue(path) << ": " << problem << std::endl;
    return false;
}
