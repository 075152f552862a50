#include "environment/Environment.h"

#include <GL/glew.h>

#include "app/AppState.h"

namespace {

const float kSkyBoxEdge = 3000.0f;

// Texture coordinates S, T, R become the world position of each vertex: the planes are given
// under the caller's view matrix, so OpenGL carries them through its inverse.
void enableWorldPositionTexCoords() {
    const GLfloat planeS[] = {1, 0, 0, 0};
    const GLfloat planeT[] = {0, 1, 0, 0};
    const GLfloat planeR[] = {0, 0, 1, 0};
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGenfv(GL_S, GL_EYE_PLANE, planeS);
    glTexGenfv(GL_T, GL_EYE_PLANE, planeT);
    glTexGenfv(GL_R, GL_EYE_PLANE, planeR);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_GEN_R);
}

}  // namespace

void Environment::drawSkyBox() {
    glPushAttrib(0xFFFFF);
    glEnable(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeMapTexture);
    enableWorldPositionTexCoords();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    appState.windowSystem->drawSolidCube(kSkyBoxEdge);
    glPopMatrix();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glDisable(GL_TEXTURE_CUBE_MAP);
    glPopAttrib();
}
