#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "math/Matrix4.h"
#include "math/Vector3.h"
#include "math/Vector4.h"
#include "platform/model/Model3ds.h"
#include "shadow/Edge.h"

class ShaderProgram;

// A model's edge connectivity, built once, and the per-frame silhouette that is
// extruded away from the light into the stencil buffer.
class ShadowVolume {
public:
    std::string name;
    std::vector<Vector3> vertices;
    std::vector<Edge> edges;      // in the order first met
    std::vector<Edge> badEdges;   // a copy of an edge each time a face side failed to attach
    std::uint32_t faceCount = 0;
    const Model3dsFace* faces = nullptr;  // the model's records, borrowed
    std::vector<Vector3> faceNormals;     // mean of the corner normals, not normalised
    std::vector<int> awayFromLight;       // per face: 1 when turned away from the light
    std::vector<int> silhouette;          // indices into edges
    std::vector<Vector3> extrusionVectors;  // per vertex: position minus light (light mode 1)
    int lightMode = 0;  // 0: one light direction per model; 1: per-vertex light vectors
    Vector4 light;      // world light before renderVolume, object-space light after
    Matrix4 inverseModelMatrix;
    ShaderProgram* extrusionShader = nullptr;  // owned

    ShadowVolume(Model3ds* model, const std::string& name);
    ~ShadowVolume();
    ShadowVolume(const ShadowVolume&) = delete;
    ShadowVolume& operator=(const ShadowVolume&) = delete;

    // Expects light in world space and the model matrix already on the model-view stack.
    void renderVolume(const Matrix4& modelMatrix);

    void computeEdges();
    // Moves light into object space and marks the faces turned away from it.
    void updateFacing(const Matrix4& modelMatrix);
    void findSilhouette();

private:
    void sendSilhouetteQuads() const;
};
