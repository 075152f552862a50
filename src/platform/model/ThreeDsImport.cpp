#include "platform/model/ThreeDsImport.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include "platform/os/ResourceFile.h"

namespace {

constexpr std::uint16_t kMainChunk = 0x4D4D;
constexpr std::uint32_t kChunkHeaderSize = 6;

// Reads `count` bytes from the start of the file; false with the reason in
// `error`, `shortText` when the file ends first.
bool readStart(const ResourceFile& file, void* buffer, std::size_t count, const char* shortText, std::string& error) {
    std::size_t got = 0;
    const ResourceError result = file.readAt(0, buffer, count, got);
    if (result == ResourceError::None && got == count) return true;
    error = result == ResourceError::None ? shortText : resourceErrorText(result);
    return false;
}

// Reads the main chunk, which holds the whole mesh, and nothing after it. The
// file must start with one whose length fits the file: this rejects other
// formats before assimp guesses at them, and truncated files before assimp
// reads what is left. Bytes past the chunk are never read, however many there are.
bool readMainChunk(const std::string& path, std::string& chunk, std::string& error) {
    const ResourceFile file(path, std::numeric_limits<std::uint64_t>::max());
    if (!file.isOpen()) {
        error = resourceErrorText(file.error);
        return false;
    }
    unsigned char header[kChunkHeaderSize] = {};
    if (!readStart(file, header, kChunkHeaderSize, "file too short for a 3DS header", error)) return false;
    const std::uint16_t id = static_cast<std::uint16_t>(header[0] | header[1] << 8);
    const std::uint32_t length = static_cast<std::uint32_t>(header[2]) | static_cast<std::uint32_t>(header[3]) << 8 |
                                 static_cast<std::uint32_t>(header[4]) << 16 | static_cast<std::uint32_t>(header[5]) << 24;
    if (id != kMainChunk) {
        error = "not a 3DS file";
        return false;
    }
    if (length < kChunkHeaderSize || length > file.size) {
        error = "file is truncated";
        return false;
    }
    if (length > kMeshChunkLimit) {
        error = resourceErrorText(ResourceError::TooLarge);
        return false;
    }
    chunk.resize(length);
    return readStart(file, chunk.data(), length, "file is truncated", error);
}

// The scene of the file's main chunk, owned by the importer; null with a reason in error.
const aiScene* readScene(Assimp::Importer& importer, const std::string& path, std::string& error) {
    std::string chunk;
    if (!readMainChunk(path, chunk, error)) return nullptr;
    // No step that welds, reorders, flips or moves vertices: only validation.
    const aiScene* scene =
        importer.ReadFileFromMemory(chunk.data(), chunk.size(), aiProcess_ValidateDataStructure, "3ds");
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE)) {
        error = scene ? "incomplete scene" : importer.GetErrorString();
        return nullptr;
    }
    return scene;
}

Vector3 toVector(const aiVector3D& v) { return {v.x, v.y, v.z}; }

bool isFinite(const Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Unit normal of the triangle's plane, zero when it has no area.
Vector3 planeNormal(const ImportedTriangle& t) {
    Vector3 n = cross(t.corners[1].position - t.corners[0].position, t.corners[2].position - t.corners[0].position);
    return isFinite(n) ? normalize(n) : Vector3();
}

// A corner normal that is missing or not a number falls back to the plane's.
void repairNormals(ImportedTriangle& triangle) {
    for (ImportedCorner& corner : triangle.corners) {
        const float len = length(corner.normal);
        if (!std::isfinite(len) || len == 0.0f) corner.normal = planeNormal(triangle);
    }
}

ImportedCorner cornerOf(const aiMesh& mesh, unsigned int index) {
    ImportedCorner corner;
    corner.position = toVector(mesh.mVertices[index]);
    if (mesh.mNormals) corner.normal = toVector(mesh.mNormals[index]);
    if (mesh.mTextureCoords[0]) {
        corner.uv[0] = mesh.mTextureCoords[0][index].x;
        corner.uv[1] = mesh.mTextureCoords[0][index].y;
    }
    return corner;
}

// Appends the mesh's triangles; faces that are not triangles or that index
// past the mesh's vertices are left out.
void appendTriangles(const aiMesh& mesh, std::vector<ImportedTriangle>& triangles) {
    if (!mesh.mVertices || !mesh.mFaces) return;
    for (unsigned int f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3 || !face.mIndices) continue;
        ImportedTriangle triangle;
        bool inRange = true;
        for (int k = 0; k < 3; ++k) {
            inRange = inRange && face.mIndices[k] < mesh.mNumVertices;
            if (inRange) triangle.corners[k] = cornerOf(mesh, face.mIndices[k]);
        }
        if (!inRange) continue;
        repairNormals(triangle);
        triangles.push_back(triangle);
    }
}

}  // namespace

bool importThreeDs(const std::string& path, std::vector<ImportedTriangle>& triangles, std::string& error) {
    triangles.clear();
    Assimp::Importer importer;
    const aiScene* scene = readScene(importer, path, error);
    if (!scene) return false;
    for (unsigned int m = 0; m < scene->mNumMeshes; ++m)
        if (scene->mMeshes[m]) appendTriangles(*scene->mMeshes[m], triangles);
    if (triangles.empty()) {
        error = "no triangles in file";
        return false;
    }
    return true;
}
