#include <GL/glew.h>

#include "platform/model/Model3ds.h"

#include <iostream>

#include "platform/model/SharedVertices.h"
#include "platform/model/Tangents.h"
#include "platform/model/ThreeDsImport.h"

Model3ds::Model3ds() = default;

Model3ds::Model3ds(const std::string& path) { loadModel(path); }

Model3ds::~Model3ds() {
    if (displayList) glDeleteLists(displayList, 1);
}

void Model3ds::clear() {
    vertices.clear();
    faces.clear();
    vertexCount = faceCount = 0;
    renderMesh = RenderMesh();
    buffers.stale = true;
}

bool Model3ds::loadModel(const std::string& path) {
    clear();
    std::vector<ImportedTriangle> triangles;
    std::string error;
    if (!importThreeDs(path, triangles, error)) {
        std::cerr << "[ERROR] Could not load 3DS model " << path << ": " << error << std::endl;
        return false;
    }
    buildSharedVertices(triangles, vertices, faces);
    vertexCount = static_cast<std::uint32_t>(vertices.size());
    faceCount = static_cast<std::uint32_t>(faces.size());
    renderMesh = buildRenderMesh(vertices, faces);
    return true;
}

bool Model3ds::loadModelWithTangents(const std::string& path) {
    if (!loadModel(path)) return false;
    calculateTangents();
    return true;
}

void Model3ds::calculateTangents() {
    computeTangents(renderMesh);
    copyTangentsToFaces(renderMesh, faces);
    buffers.stale = true;
}

void Model3ds::render() { buffers.draw(renderMesh); }

void Model3ds::createDL4Model() {
    if (!glMultiTexCoord2f || !glMultiTexCoord4f) return;  // OpenGL 1.3 entry points not loaded
    if (displayList) glDeleteLists(displayList, 1);
    displayList = glGenLists(1);
    if (!displayList) return;
    glNewList(displayList, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (std::uint32_t index : renderMesh.indices) {
        const RenderVertex& v = renderMesh.vertices[index];
        glNormal3f(v.normal.x, v.normal.y, v.normal.z);
        glMultiTexCoord2f(GL_TEXTURE0, v.uv[0], v.uv[1]);
        glMultiTexCoord4f(GL_TEXTURE1, v.tangent.x, v.tangent.y, v.tangent.z, v.tangent.w);
        glVertex3f(v.position.x, v.position.y, v.position.z);
    }
    glEnd();
    glEndList();
}
