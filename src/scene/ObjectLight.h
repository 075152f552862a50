#pragma once

#include <GL/glew.h>

#include "scene/Object.h"

// A light for Object's fixed-function set-up: its position and colours are the
// Object fields, glLight the OpenGL light it occupies (GL_LIGHT0 + i).
class ObjectLight : public Object {
public:
    GLenum glLight = GL_LIGHT0;

    void draw() override {}
};
