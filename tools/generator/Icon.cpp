#include "Icon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "Noise.h"
#include "Planet.h"

namespace {

const float kDiscRadius = 0.42f;  // of the icon's size
const float kHaloWidth = 0.08f;   // of the disc's radius
const Color kAtmosphere{0.35f, 0.62f, 1.0f};
const int kEdgeSubsamples = 4;  // per axis, for pixels on the disc's rim and in its halo
// Below this size a pixel covers more surface detail than one sample shows:
// interior pixels then average kDetailSize / size samples per axis.
const int kDetailSize = 64;
const int kIconSizes[] = {16, 32, 48, 64, 128, 256};  // smallest first, as _NET_WM_ICON wants them

struct Sample {
    Color color;
    float alpha = 0.0f;
};

Vector3 lightDirection() {
    Vector3 light(-0.55f, 0.6f, 0.58f);
    return normalize(light);
}

// The planet turned so that a coast faces the viewer and the north pole leans back.
Vector3 planetDirection(const Vector3& view) {
    const float spin = 2.2f, tilt = 0.35f;
    const Vector3 tilted(view.x, view.y * std::cos(tilt) - view.z * std::sin(tilt),
                         view.y * std::sin(tilt) + view.z * std::cos(tilt));
    return {tilted.x * std::cos(spin) + tilted.z * std::sin(spin), tilted.y,
            -tilted.x * std::sin(spin) + tilted.z * std::cos(spin)};
}

// (x, y) in disc radii from the centre, +y up.
Sample shade(float x, float y) {
    const float r2 = x * x + y * y;
    const Vector3 light = lightDirection();
    if (r2 >= 1.0f) {
        const float halo = 1.0f - smoothstep(1.0f, 1.0f + kHaloWidth, std::sqrt(r2));
        const float litSide = 0.4f + 0.6f * std::max(0.0f, (x * light.x + y * light.y) / std::sqrt(r2));
        return {kAtmosphere, halo * halo * litSide};
    }
    const Vector3 normal(x, y, std::sqrt(1.0f - r2));
    const float diffuse = std::max(0.0f, dot(normal, light));
    const Color surface = scaled(planetSurfaceColor(planetDirection(normal)), 0.07f + 0.93f * diffuse);
    const float rim = std::pow(1.0f - normal.z, 3.0f);
    return {mix(surface, kAtmosphere, rim * (0.3f + 0.7f * diffuse)), 1.0f};
}

// Average of n x n samples over the pixel, colours weighted by their opacity.
Sample shadePixel(int px, int py, int size, int n) {
    const float centre = 0.5f * size, radius = kDiscRadius * size;
    Color sum;
    float alpha = 0.0f;
    for (int sy = 0; sy < n; ++sy)
        for (int sx = 0; sx < n; ++sx) {
            const Sample s = shade((px + (sx + 0.5f) / n - centre) / radius, (centre - py - (sy + 0.5f) / n) / radius);
            sum = added(sum, scaled(s.color, s.alpha));
            alpha += s.alpha;
        }
    if (alpha <= 0.0f) return {};
    return {scaled(sum, 1.0f / alpha), alpha / static_cast<float>(n * n)};
}

// The image in _NET_WM_ICON's layout: width, height, then 0xAARRGGBB per pixel, top row first.
std::vector<std::uint32_t> iconValues(const RgbaImage& icon) {
    const std::vector<std::uint8_t> bytes = rgbaBytes(icon);
    std::vector<std::uint32_t> values = {static_cast<std::uint32_t>(icon.rgb.width),
                                         static_cast<std::uint32_t>(icon.rgb.height)};
    for (size_t i = 0; i < bytes.size(); i += 4)
        values.push_back(static_cast<std::uint32_t>(bytes[i + 3]) << 24 | bytes[i] << 16 | bytes[i + 1] << 8 |
                         bytes[i + 2]);
    return values;
}

bool writeIconSource(const std::string& path, const std::vector<std::uint32_t>& values) {
    std::ofstream out(path);
    out << "// Written by zen_asset_generator: the icon's images for _NET_WM_ICON.\n"
           "#include \"platform/os/WindowIdentity.h\"\n\n"
           "namespace {\n\nconst std::uint32_t kValues[] = {";
    char value[16];
    for (size_t i = 0; i < values.size(); ++i) {
        std::snprintf(value, sizeof value, "0x%08x,", static_cast<unsigned>(values[i]));
        out << (i % 8 == 0 ? "\n    " : " ") << value;
    }
    out << "\n};\n\n}  // namespace\n\n"
           "const IconImages kProgramIcon{kValues, sizeof kValues / sizeof kValues[0]};\n";
    out.close();
    if (!out) std::cerr << "[ERROR] Could not write " << path << std::endl;
    return static_cast<bool>(out);
}

}  // namespace

RgbaImage planetIcon(int size) {
    RgbaImage icon(size, size);
    const float centre = 0.5f * size, radius = kDiscRadius * size;
    const int interiorSubsamples = std::max(1, kDetailSize / size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float distance = std::hypot(x + 0.5f - centre, y + 0.5f - centre) / radius;
            const bool inside = distance < 1.0f - 1.5f / radius;
            const Sample pixel = shadePixel(x, y, size, inside ? interiorSubsamples : kEdgeSubsamples);
            icon.rgb.set(x, y, pixel.color);
            icon.alpha[static_cast<size_t>(y) * size + x] = pixel.alpha;
        }
    return icon;
}

bool writeIcons(const std::string& theme, const std::string& source) {
    std::vector<std::uint32_t> values;
    for (const int size : kIconSizes) {
        const RgbaImage icon = planetIcon(size);
        const std::filesystem::path folder =
            std::filesystem::path(theme) / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (!savePng((folder / "zendrils.png").string(), icon)) return false;
        const std::vector<std::uint32_t> image = iconValues(icon);
        values.insert(values.end(), image.begin(), image.end());
    }
    return writeIconSource(source, values);
}
