// zen_fuzz_seeds: small seed inputs for the fuzz targets, made with the asset
// generator's own writers.
//
//   zen_fuzz_seeds <image corpus> <model corpus>
//
// Image seeds carry the image target's leading extension byte (0: .tga, 1: .png).
#include <IL/il.h>
#include <IL/ilu.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "AssetWriter.h"
#include "Image.h"
#include "Noise.h"
#include "Sphere.h"

namespace {

namespace fs = std::filesystem;

RgbImage smallNormalMap(int width, int height) {
    HeightMap heights(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) heights.at(x, y) = fractalNoise(Vector3(x * 0.3f, y * 0.3f, 0.0f), 2, 7);
    return normalMapFromHeights(heights, 2.0f, true);
}

// Rewrites the file with the extension byte in front.
bool prefixByte(const fs::path& path, char selector) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.put(selector);
    out << bytes;
    return !bytes.empty() && static_cast<bool>(out);
}

bool writeImageSeeds(const fs::path& directory) {
    bool ok = true;
    for (int size : {2, 8, 16}) {
        const RgbImage image = smallNormalMap(size, size / 2 + 1);
        const fs::path tga = directory / ("normal" + std::to_string(size) + ".tga");
        const fs::path png = directory / ("normal" + std::to_string(size) + ".png");
        ok = saveTga(tga.string(), image) && prefixByte(tga, 0) && ok;
        ok = savePng(png.string(), image) && prefixByte(png, 1) && ok;
    }
    return ok;
}

void writeModelSeeds(AssetWriter& out) {
    out.mesh("rock.3ds", radialSphere(6, 4, [](const Vector3& d) { return 1.0f + 0.2f * d.x * d.y; }));
    out.mesh("ball.3ds", radialSphere(4, 3, [](const Vector3&) { return 1.0f; }));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zen_fuzz_seeds <image corpus> <model corpus>" << std::endl;
        return 2;
    }
    ilInit();
    iluInit();
    fs::create_directories(argv[1]);
    fs::create_directories(argv[2]);
    const bool images = writeImageSeeds(argv[1]);
    AssetWriter models(argv[2]);
    writeModelSeeds(models);
    if (!images) std::cerr << "[ERROR] Could not write the image seeds" << std::endl;
    return images && models.failures == 0 ? 0 : 1;
}
