#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "math/Vector3.h"
#include "math/Vector4.h"
#include "platform/model/MeshBuffers.h"
#include "platform/model/RenderMesh.h"
#include "platform/model/Model.h"

// One triangle as the library stores it: 144 bytes, corner normals first and
// the three vertex indices, in winding order, last.
struct Model3dsFace {
    Vector3 normals[3];
    float uvs[3][2];
    Vector4 tangents[3];  // xyz along +u, w = handedness of the tangent frame
    Vector3 faceNormal;  // unit normal of the triangle's plane, zero when degenerate
    std::uint32_t renderIndices[3];  // the corners in the model's render mesh
    std::uint32_t indices[3];
};
static_assert(sizeof(Model3dsFace) == 144, "face record is 144 bytes");
static_assert(offsetof(Model3dsFace, normals) == 0, "corner normals at byte 0");
static_assert(offsetof(Model3dsFace, indices) == 132, "vertex indices at byte 132");

// A triangle mesh read from a 3DS file, with per-vertex tangents for bump mapping.
class Model3ds : public Model {
public:
    // The mesh as the file holds it; vertexCount == vertices.size(), faceCount == faces.size().
    std::uint32_t vertexCount = 0;
    std::uint32_t faceCount = 0;
    std::vector<Vector3> vertices;
    std::vector<Model3dsFace> faces;

    // What render draws: one vertex per distinct position, normal and uv.
    RenderMesh renderMesh;
    MeshBuffers buffers;
    unsigned int displayList = 0;  // made by createDL4Model

    // Makes no OpenGL call: it may run before any context exists.
    Model3ds();
    explicit Model3ds(const std::string& path);
    ~Model3ds() override;
    Model3ds(const Model3ds&) = delete;
    Model3ds& operator=(const Model3ds&) = delete;

    // Reads the mesh without tangents; false (and an empty model) on any failure.
    bool loadModel(const std::string& path);
    // Loads the file and computes tangents; false (and an empty model) on any failure.
    bool loadModelWithTangents(const std::string& path);
    void calculateTangents();
    void render() override;
    void createDL4Model() override;

private:
    void clear();
};
