#include "threeds/ThreeDsWriter.h"

#include <cstring>
#include <fstream>

namespace {

enum ChunkId : std::uint16_t {
    kMain = 0x4D4D,
    kVersion = 0x0002,
    kEditor = 0x3D3D,
    kMeshVersion = 0x3D3E,
    kObject = 0x4000,
    kTriangleMesh = 0x4100,
    kVertexList = 0x4110,
    kFaceList = 0x4120,
    kSmoothingGroups = 0x4150,
    kMappingCoordinates = 0x4140,
};

// Little-endian byte buffer with nested chunks whose lengths are patched on close.
class ChunkBuffer {
public:
    std::vector<unsigned char> bytes;

    void u16(std::uint16_t v) { raw(&v, 2); }
    void u32(std::uint32_t v) { raw(&v, 4); }
    void f32(float v) { raw(&v, 4); }
    void text(const std::string& s) { raw(s.c_str(), s.size() + 1); }

    size_t open(std::uint16_t id) {
        const size_t start = bytes.size();
        u16(id);
        u32(0);
        return start;
    }
    void close(size_t start) {
        const std::uint32_t length = static_cast<std::uint32_t>(bytes.size() - start);
        std::memcpy(&bytes[start + 2], &length, 4);
    }

private:
    void raw(const void* data, size_t size) {
        const unsigned char* p = static_cast<const unsigned char*>(data);
        bytes.insert(bytes.end(), p, p + size);
    }
};

bool fitsFormat(const ThreeDsMesh& mesh) {
    return mesh.positions.size() <= 0xFFFF && mesh.faces.size() <= 0xFFFF &&
           (mesh.uvs.empty() || mesh.uvs.size() == 2 * mesh.positions.size());
}

void writeMesh(ChunkBuffer& out, const ThreeDsMesh& mesh) {
    const size_t object = out.open(kObject);
    out.text(mesh.name);
    const size_t trimesh = out.open(kTriangleMesh);

    const size_t vertices = out.open(kVertexList);
    out.u16(static_cast<std::uint16_t>(mesh.positions.size()));
    for (const Vector3& p : mesh.positions) {
        out.f32(p.x);
        out.f32(p.y);
        out.f32(p.z);
    }
    out.close(vertices);

    if (!mesh.uvs.empty()) {
        const size_t mapping = out.open(kMappingCoordinates);
        out.u16(static_cast<std::uint16_t>(mesh.positions.size()));
        for (float uv : mesh.uvs) out.f32(uv);
        out.close(mapping);
    }

    const size_t faces = out.open(kFaceList);
    out.u16(static_cast<std::uint16_t>(mesh.faces.size()));
    for (const ThreeDsFace& f : mesh.faces) {
        out.u16(f.a);
        out.u16(f.b);
        out.u16(f.c);
        out.u16(0x7);  // edge visibility flags
    }
    const size_t smoothing = out.open(kSmoothingGroups);
    for (const ThreeDsFace& f : mesh.faces) out.u32(f.smoothingGroups);
    out.close(smoothing);
    out.close(faces);

    out.close(trimesh);
    out.close(object);
}

}  // namespace

bool writeThreeDs(const std::string& path, const std::vector<ThreeDsMesh>& meshes) {
    for (const ThreeDsMesh& mesh : meshes)
        if (!fitsFormat(mesh)) return false;

    ChunkBuffer out;
    const size_t main = out.open(kMain);
    const size_t version = out.open(kVersion);
    out.u32(3);
    out.close(version);
    const size_t editor = out.open(kEditor);
    const size_t meshVersion = out.open(kMeshVersion);
    out.u32(3);
    out.close(meshVersion);
    for (const ThreeDsMesh& mesh : meshes) writeMesh(out, mesh);
    out.close(editor);
    out.close(main);

    std::ofstream file(path, std::ios::binary);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(out.bytes.data()), static_cast<std::streamsize>(out.bytes.size()));
    return static_cast<bool>(file);
}
