#include "shadow/ShadowVolume.h"

#include <GL/glew.h>

#include <iostream>

#include "platform/cg/CgGL.h"
#include "shading/LightingParameters.h"
#include "shading/ParameterUploads.h"
#include "shading/ShaderProgram.h"
#include "shadow/EdgeConnectivity.h"
#include "shadow/PassStates.h"

namespace {

Vector3 meanNormal(const Model3dsFace& face) {
    return (face.normals[0] + face.normals[1] + face.normals[2]) / 3.0f;
}

void sendVertex(const Vector3& p, float w) { glVertex4f(p.x, p.y, p.z, w); }

}  // namespace

ShadowVolume::ShadowVolume(Model3ds* model, const std::string& name_) : name(name_) {
    if (model) {
        vertices = model->vertices;
        faces = model->faces.data();
        faceCount = static_cast<std::uint32_t>(model->faces.size());
    } else {
        std::cerr << "[ERROR] No model for shadow volume " << name << std::endl;
    }
    faceNormals.reserve(faceCount);
    for (std::uint32_t i = 0; i < faceCount; ++i) faceNormals.push_back(meanNormal(faces[i]));
    awayFromLight.assign(faceCount, 0);
    extrusionVectors.resize(vertices.size());
    silhouette.reserve(faceCount);
    computeEdges();
    light = Vector4(0.0f, 0.0f, 0.0f, 0.0f);
    lightMode = 0;
    extrusionShader = new ShaderProgram("../resources/shader/vp_vertexExtrusion.cg", "../resources/shader/fp_pass.cg");
}

ShadowVolume::~ShadowVolume() {
    faces = nullptr;
    delete extrusionShader;
}

void ShadowVolume::computeEdges() {
    std::cout << "[INFO] Computing Edges for Model " << name << std::endl;
    EdgeConnectivity connectivity = connectEdges(vertices, faces, faceCount, EdgeSearch::Hashed);
    edges = std::move(connectivity.edges);
    badEdges = std::move(connectivity.badEdges);
    std::cout << "[INFO] " << edges.size() << "edges added for model.(Invalid: " << countInvalidEdges(edges) << ")"
              << std::endl;
}

void ShadowVolume::renderVolume(const Matrix4& modelMatrix) {
    beginShadowVolumePass();
    updateFacing(modelMatrix);
    findSilhouette();
    extrusionShader->bind();
    setModelViewProjection(extrusionShader->vertexProgram);
    cgGLSetParameter4fv(cgGetNamedParameter(extrusionShader->vertexProgram, "L"), light.data());
    glDisable(GL_LIGHTING);
    glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
    sendSilhouetteQuads();
    extrusionShader->unbind();
    endPass();
}

void ShadowVolume::updateFacing(const Matrix4& modelMatrix) {
    inverseModelMatrix = objectSpaceMatrix(modelMatrix);
    light = multiplyRows(inverseModelMatrix, light);
    const Vector3 lightPosition = light.xyz();
    if (lightMode == 1) {
        for (std::size_t v = 0; v < vertices.size(); ++v) extrusionVectors[v] = vertices[v] - lightPosition;
    }
    const Vector3 modelDirection = -lightPosition;
    for (std::uint32_t i = 0; i < faceCount; ++i) {
        Vector3 direction = modelDirection;
        if (lightMode == 1) {
            const std::uint32_t corner = faces[i].indices[0];
            direction = corner < extrusionVectors.size() ? extrusionVectors[corner] : Vector3();
        }
        awayFromLight[i] = dot(faceNormals[i], direction) > 0.0f ? 1 : 0;
    }
}

// An open edge has no second facing to compare: it always belongs to the
// silhouette, so an open sheet casts the shadow of its outline from either side.
void ShadowVolume::findSilhouette() {
    silhouette.clear();
    for (std::size_t e = 0; e < edges.size(); ++e) {
        const Edge& edge = edges[e];
        if (edge.face1 < 0 || awayFromLight[edge.face0] != awayFromLight[edge.face1]) {
            silhouette.push_back(static_cast<int>(e));
        }
    }
}

// The w = 0 corners carry the vertex position; the extrusion program turns them
// into the direction away from the light.
void ShadowVolume::sendSilhouetteQuads() const {
    glBegin(GL_QUADS);
    for (int e : silhouette) {
        const Edge& edge = edges[e];
        const Vector3& a = vertices[edge.vertex0];
        const Vector3& b = vertices[edge.vertex1];
        if (awayFromLight[edge.face0]) {
            sendVertex(a, 1.0f);
            sendVertex(b, 1.0f);
            sendVertex(b, 0.0f);
            sendVertex(a, 0.0f);
        } else {
            sendVertex(b, 1.0f);
            sendVertex(a, 1.0f);
            sendVertex(a, 0.0f);
            sendVertex(b, 0.0f);
        }
    }
    glEnd();
}
