#include <GL/glew.h>

#include "platform/model/MeshBuffers.h"

#include <cstddef>

namespace {

const void* offsetOf(size_t bytes) { return reinterpret_cast<const void*>(bytes); }

// The OpenGL 1.3 and 1.5 entry points draw calls; a driver without them draws no mesh.
bool bufferEntryPointsLoaded() {
    return glGenBuffers && glBufferData && glBindBuffer && glDeleteBuffers && glClientActiveTexture;
}

// What draw changes outside the client attribute stack, put back on leaving.
struct SavedBindings {
    GLint clientActiveTexture = GL_TEXTURE0;
    GLint arrayBuffer = 0;
    GLint elementBuffer = 0;

    SavedBindings() {
        glGetIntegerv(GL_CLIENT_ACTIVE_TEXTURE, &clientActiveTexture);
        glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer);
        glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elementBuffer);
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    }
    ~SavedBindings() {
        glPopClientAttrib();
        glClientActiveTexture(static_cast<GLenum>(clientActiveTexture));
        glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(arrayBuffer));
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLuint>(elementBuffer));
    }
};

// Arrays the caller may have left on would be read past their end by our draw.
void disableForeignArrays() {
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_SECONDARY_COLOR_ARRAY);
    glDisableClientState(GL_FOG_COORD_ARRAY);
    glDisableClientState(GL_INDEX_ARRAY);
    glDisableClientState(GL_EDGE_FLAG_ARRAY);
    static const GLint units = [] {
        GLint count = 0;
        glGetIntegerv(GL_MAX_TEXTURE_COORDS, &count);
        return count;
    }();
    for (GLint unit = 2; unit < units; ++unit) {
        glClientActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
}

void texCoordArray(GLenum unit, GLint size, size_t offset) {
    glClientActiveTexture(unit);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(size, GL_FLOAT, sizeof(RenderVertex), offsetOf(offset));
}

void enableVertexArrays() {
    constexpr GLsizei stride = sizeof(RenderVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, offsetOf(offsetof(RenderVertex, position)));
    glEnableClientState(GL_NORMAL_ARRAY);
    glNormalPointer(GL_FLOAT, stride, offsetOf(offsetof(RenderVertex, normal)));
    texCoordArray(GL_TEXTURE0, 2, offsetof(RenderVertex, uv));
    texCoordArray(GL_TEXTURE1, 4, offsetof(RenderVertex, tangent));
}

}  // namespace

MeshBuffers::~MeshBuffers() { release(); }

void MeshBuffers::release() {
    if (vertexBuffer) glDeleteBuffers(1, &vertexBuffer);
    if (indexBuffer) glDeleteBuffers(1, &indexBuffer);
    vertexBuffer = indexBuffer = 0;
    indexCount = 0;
    stale = true;
}

void MeshBuffers::upload(const RenderMesh& mesh) {
    if (!vertexBuffer) glGenBuffers(1, &vertexBuffer);
    if (!indexBuffer) glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.vertices.size() * sizeof(RenderVertex)),
                 mesh.vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh.indices.size() * sizeof(std::uint32_t)),
                 mesh.indices.data(), GL_STATIC_DRAW);
    indexCount = static_cast<unsigned int>(mesh.indices.size());
    stale = false;
}

void MeshBuffers::draw(const RenderMesh& mesh) {
    if (mesh.indices.empty() || mesh.vertices.empty() || !bufferEntryPointsLoaded()) return;
    SavedBindings saved;
    if (stale) upload(mesh);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    disableForeignArrays();
    enableVertexArrays();
    // 32-bit indices: a mesh is never limited to 65,536 render vertices.
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indexCount), GL_UNSIGNED_INT, nullptr);
}
