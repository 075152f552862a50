#include "shadow/PassStates.h"

#include <GL/glew.h>

#include <iostream>

namespace {

const GLuint kAllStencilBits = ~0u;

void setStencilFace(GLenum face, GLenum depthPassOperation) {
    glActiveStencilFaceEXT(face);
    glStencilOp(GL_KEEP, GL_KEEP, depthPassOperation);
    glStencilMask(kAllStencilBits);
    glStencilFunc(GL_ALWAYS, 0, kAllStencilBits);
}

}  // namespace

// The flags say what the driver lists; the pointer, that GLEW found the function too.
bool twoSidedStencilSupported() {
    return GLEW_EXT_stencil_two_side && GLEW_EXT_stencil_wrap && glActiveStencilFaceEXT;
}

void beginAmbientPass() {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthFunc(GL_LESS);
}

void beginShadowVolumePass() {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_STENCIL_TEST);
    glStencilMask(0xFF);
    glStencilFunc(GL_ALWAYS, 0, 0xFF);
    glDepthMask(GL_FALSE);
    glDisable(GL_CULL_FACE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    if (twoSidedStencilSupported()) {
        glEnable(GL_STENCIL_TEST_TWO_SIDE_EXT);
        setStencilFace(GL_FRONT, GL_INCR_WRAP_EXT);
        setStencilFace(GL_BACK, GL_DECR_WRAP_EXT);
    } else {
        std::cout << "[ERROR] Extension for two sided stencil and stencil wrap not supported!" << std::endl;
    }
}

void beginLitPass() {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_STENCIL_TEST);
    glStencilMask(0);
    glStencilFunc(GL_EQUAL, 0, 0xFF);
    glDepthMask(GL_FALSE);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDepthFunc(GL_LEQUAL);
}

void endPass() { glPopAttrib(); }
