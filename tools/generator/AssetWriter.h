#pragma once

#include <string>

#include "Image.h"
#include "threeds/ThreeDsWriter.h"

// Writes generated files below the staged resource directory and counts failures.
class AssetWriter {
public:
    explicit AssetWriter(std::string resourceRoot) : root(std::move(resourceRoot)) {}

    std::string root;
    int failures = 0;

    // Checks the mesh's topology and texture orientation, then writes it.
    void mesh(const std::string& relativePath, const ThreeDsMesh& mesh);
    void tga(const std::string& relativePath, const RgbImage& image);
    void png(const std::string& relativePath, const RgbImage& image);

private:
    std::string prepare(const std::string& relativePath);
};
