#pragma once

#include "platform/cg/Cg.h"

struct Light;

// Uploads of named program parameters shared by every drawing path. Each looks
// its names up just before setting them; none checks for a runtime error.

// Sets the three-component parameter `name` of `program` from values[0..2],
// e.g. a Vector3, or the x, y, z (r, g, b) of a Vector4.
void setVector3(CGprogram program, const char* name, const float* values);

// The vertex program's model-view-projection matrix, from the current OpenGL matrices.
void setModelViewProjection(CGprogram vertexProgram);

// "diffuseCoeff" and "specularCoeff" (r, g, b), then "shininess" truncated to an
// integer, on the fragment program.
void setLightCoefficients(CGprogram fragmentProgram, const Light& light);
