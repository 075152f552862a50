#include "platform/egl/SolidCube.h"

#include <GL/gl.h>

namespace {

constexpr int kFaces = 6;
constexpr int kCorners = 4 * kFaces;

// Corners of the unit cube, four a face: +z, +x, +y, -x, -y, -z.
const GLfloat kUnitCorners[kCorners][3] = {
    {.5f, .5f, .5f},    {-.5f, .5f, .5f},   {-.5f, -.5f, .5f},  {.5f, -.5f, .5f},
    {.5f, .5f, .5f},    {.5f, -.5f, .5f},   {.5f, -.5f, -.5f},  {.5f, .5f, -.5f},
    {.5f, .5f, .5f},    {.5f, .5f, -.5f},   {-.5f, .5f, -.5f},  {-.5f, .5f, .5f},
    {-.5f, .5f, .5f},   {-.5f, .5f, -.5f},  {-.5f, -.5f, -.5f}, {-.5f, -.5f, .5f},
    {-.5f, -.5f, -.5f}, {.5f, -.5f, -.5f},  {.5f, -.5f, .5f},   {-.5f, -.5f, .5f},
    {.5f, -.5f, -.5f},  {-.5f, -.5f, -.5f}, {-.5f, .5f, -.5f},  {.5f, .5f, -.5f},
};
const GLfloat kFaceNormals[kFaces][3] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};

}  // namespace

void drawSolidCube(double edge) {
    GLfloat corners[kCorners][3], normals[kCorners][3];
    GLushort triangles[kFaces * 6];
    for (int i = 0; i < kCorners; ++i)
        for (int axis = 0; axis < 3; ++axis) {
            corners[i][axis] = static_cast<GLfloat>(edge * kUnitCorners[i][axis]);
            normals[i][axis] = kFaceNormals[i / 4][axis];
        }
    const GLushort split[6] = {0, 1, 2, 0, 2, 3};
    for (int face = 0; face < kFaces; ++face)
        for (int k = 0; k < 6; ++k) triangles[face * 6 + k] = static_cast<GLushort>(face * 4 + split[k]);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, corners);
    glNormalPointer(GL_FLOAT, 0, normals);
    glDrawElements(GL_TRIANGLES, kFaces * 6, GL_UNSIGNED_SHORT, triangles);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
}
