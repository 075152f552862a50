#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Colour with float channels in [0, 1]; stored as bytes when written.
struct Color {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

Color mix(const Color& a, const Color& b, float t);
Color scaled(const Color& c, float s);
Color added(const Color& a, const Color& b);

// 24-bit RGB image; row 0 is the row with v = 0 (texture coordinate t = 0 in GL).
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 3

    RgbImage(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 3, 0) {}
    void set(int x, int y, const Color& c);
    Color get(int x, int y) const;
};

// An RGB image with an opacity per pixel (0 transparent, 1 opaque), colours not premultiplied.
struct RgbaImage {
    RgbImage rgb;
    std::vector<float> alpha;  // width * height

    RgbaImage(int w, int h) : rgb(w, h), alpha(static_cast<size_t>(w) * h, 0.0f) {}
};

// Scalar height per texel, same row order as RgbImage.
struct HeightMap {
    int width = 0;
    int height = 0;
    std::vector<float> values;

    HeightMap(int w, int h) : width(w), height(h), values(static_cast<size_t>(w) * h, 0.0f) {}
    float& at(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }
    float at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
};

// Fills an image and a height map texel by texel from (x, y) -> (colour, height).
using TexelShader = std::function<void(int x, int y, Color& color, float& height)>;
void shadeTexels(RgbImage& image, HeightMap& heights, const TexelShader& shader);

// Tangent-space normal map of a height field: x along +u (columns), y along +v
// (rows), stored as n * 0.5 + 0.5. strength scales the height slopes per texel;
// rowStretch(y) multiplies the u slope of row y (for maps whose texels shrink
// toward the poles). wrapU joins the first and last column.
RgbImage normalMapFromHeights(const HeightMap& heights, float strength, bool wrapU,
                              const std::function<float(int y)>& rowStretch = nullptr);

// Writes a 24-bit TGA whose first pixel row is the one that reaches GL row 0.
bool saveTga(const std::string& path, const RgbImage& image);
// Writes a PNG whose first file row is pixel row 0, so that loading it back
// gives row 0 of the image as the first row of the pixel data.
bool savePng(const std::string& path, const RgbImage& image);
// Writes a 32-bit PNG, first file row = pixel row 0.
bool savePng(const std::string& path, const RgbaImage& image);
// The image as R, G, B, A bytes per pixel, row 0 first: the bytes of its PNG.
std::vector<std::uint8_t> rgbaBytes(const RgbaImage& image);
