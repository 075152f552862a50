#include "support/TangentQuad.h"

#include <GL/glew.h>

void drawTangentQuad(float half, float handedness) {
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glMultiTexCoord4f(GL_TEXTURE1, 1, 0, 0, handedness);
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& c : corners) {
        glMultiTexCoord2f(GL_TEXTURE0, (c[0] + 1) / 2, (c[1] + 1) / 2);
        glVertex3f(c[0] * half, c[1] * half, 0);
    }
    glEnd();
}
