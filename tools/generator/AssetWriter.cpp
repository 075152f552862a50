#include "AssetWriter.h"

#include <filesystem>
#include <iostream>

#include "MeshCheck.h"

std::string AssetWriter::prepare(const std::string& relativePath) {
    const std::filesystem::path path = std::filesystem::path(root) / relativePath;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    return path.string();
}

void AssetWriter::mesh(const std::string& relativePath, const ThreeDsMesh& mesh) {
    const MeshReport report = checkMesh(mesh);
    std::cout << "[INFO] " << relativePath << ": " << mesh.positions.size() << " vertices, " << report.summary()
              << std::endl;
    if (!report.sound()) {
        std::cerr << "[ERROR] Generated mesh is not a sound closed mesh: " << relativePath << std::endl;
        ++failures;
        return;
    }
    if (!writeThreeDs(prepare(relativePath), {mesh})) {
        std::cerr << "[ERROR] Could not write " << relativePath << std::endl;
        ++failures;
    }
}

void AssetWriter::tga(const std::string& relativePath, const RgbImage& image) {
    if (!saveTga(prepare(relativePath), image)) ++failures;
}

void AssetWriter::png(const std::string& relativePath, const RgbImage& image) {
    if (!savePng(prepare(relativePath), image)) ++failures;
}
