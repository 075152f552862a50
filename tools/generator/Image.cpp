#include "Image.h"

#include <IL/il.h>
#include <IL/ilu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>

Color mix(const Color& a, const Color& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Color scaled(const Color& c, float s) { return {c.r * s, c.g * s, c.b * s}; }

Color added(const Color& a, const Color& b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

namespace {

std::uint8_t toByte(float v) {
    const float clamped = std::min(1.0f, std::max(0.0f, v));
    return static_cast<std::uint8_t>(std::lround(clamped * 255.0f));
}

bool saveWithDevil(const std::string& path, int width, int height, int channels, const std::uint8_t* pixels,
                   ILenum origin) {
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    ilTexImage(static_cast<ILuint>(width), static_cast<ILuint>(height), 1, static_cast<ILubyte>(channels),
               channels == 4 ? IL_RGBA : IL_RGB, IL_UNSIGNED_BYTE, const_cast<std::uint8_t*>(pixels));
    ilRegisterOrigin(origin);
    ilEnable(IL_FILE_OVERWRITE);
    const bool saved = ilSaveImage(path.c_str()) == IL_TRUE;
    const ILenum error = ilGetError();
    ilDeleteImages(1, &name);
    if (!saved || error != IL_NO_ERROR) {
        std::cerr << "[ERROR] Could not write " << path << ": " << iluErrorString(error) << std::endl;
        return false;
    }
    return true;
}

// DevIL leaves the TGA header's x and y origin fields (bytes 8 to 11) partly
// uninitialised; zero them so that identical images give identical files.
bool clearTgaOriginFields(const std::string& path) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    if (!file) return false;
    const char zeros[4] = {0, 0, 0, 0};
    file.seekp(8);
    file.write(zeros, 4);
    return static_cast<bool>(file);
}

}  // namespace

void RgbImage::set(int x, int y, const Color& c) {
    std::uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
    p[0] = toByte(c.r);
    p[1] = toByte(c.g);
    p[2] = toByte(c.b);
}

Color RgbImage::get(int x, int y) const {
    const std::uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
}

void shadeTexels(RgbImage& image, HeightMap& heights, const TexelShader& shader) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            Color c;
            float h = 0.0f;
            shader(x, y, c, h);
            image.set(x, y, c);
            heights.at(x, y) = h;
        }
}

RgbImage normalMapFromHeights(const HeightMap& heights, float strength, bool wrapU,
                              const std::function<float(int y)>& rowStretch) {
    const int w = heights.width, h = heights.height;
    RgbImage out(w, h);
    for (int y = 0; y < h; ++y) {
        const float stretch = rowStretch ? rowStretch(y) : 1.0f;
        const int yUp = std::min(h - 1, y + 1), yDown = std::max(0, y - 1);
        for (int x = 0; x < w; ++x) {
            const int xRight = wrapU ? (x + 1) % w : std::min(w - 1, x + 1);
            const int xLeft = wrapU ? (x + w - 1) % w : std::max(0, x - 1);
            const int spanU = wrapU ? 2 : std::max(1, xRight - xLeft);
            const int spanV = std::max(1, yUp - yDown);
            const float du = (heights.at(xRight, y) - heights.at(xLeft, y)) / static_cast<float>(spanU);
            const float dv = (heights.at(x, yUp) - heights.at(x, yDown)) / static_cast<float>(spanV);
            float nx = -du * strength * stretch, ny = -dv * strength, nz = 1.0f;
            const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
            nx /= len;
            ny /= len;
            nz /= len;
            out.set(x, y, {nx * 0.5f + 0.5f, ny * 0.5f + 0.5f, nz * 0.5f + 0.5f});
        }
    }
    return out;
}

bool saveTga(const std::string& path, const RgbImage& image) {
    return saveWithDevil(path, image.width, image.height, 3, image.pixels.data(), IL_ORIGIN_LOWER_LEFT) &&
           clearTgaOriginFields(path);
}

bool savePng(const std::string& path, const RgbImage& image) {
    return saveWithDevil(path, image.width, image.height, 3, image.pixels.data(), IL_ORIGIN_UPPER_LEFT);
}

std::vector<std::uint8_t> rgbaBytes(const RgbaImage& image) {
    const size_t count = image.alpha.size();
    std::vector<std::uint8_t> pixels(count * 4);
    for (size_t i = 0; i < count; ++i) {
        std::copy_n(&image.rgb.pixels[i * 3], 3, &pixels[i * 4]);
        pixels[i * 4 + 3] = toByte(image.alpha[i]);
    }
    return pixels;
}

bool savePng(const std::string& path, const RgbaImage& image) {
    return saveWithDevil(path, image.rgb.width, image.rgb.height, 4, rgbaBytes(image).data(), IL_ORIGIN_UPPER_LEFT);
}
