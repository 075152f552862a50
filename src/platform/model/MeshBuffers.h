#pragma once

#include "platform/model/RenderMesh.h"

// The vertex and index buffer objects of one render mesh, made on first draw.
class MeshBuffers {
public:
    unsigned int vertexBuffer = 0;
    unsigned int indexBuffer = 0;
    unsigned int indexCount = 0;
    bool stale = true;  // the mesh changed since the last upload

    ~MeshBuffers();
    MeshBuffers() = default;
    MeshBuffers(const MeshBuffers&) = delete;
    MeshBuffers& operator=(const MeshBuffers&) = delete;

    // Uploads the mesh when stale and draws it as indexed triangles, with
    // position, normal, uv (texture unit 0) and tangent (texture unit 1)
    // arrays. Client state, client active texture and buffer bindings are
    // restored afterwards. An empty mesh, or a driver without buffer objects,
    // draws nothing.
    void draw(const RenderMesh& mesh);
    void release();

private:
    void upload(const RenderMesh& mesh);
};
