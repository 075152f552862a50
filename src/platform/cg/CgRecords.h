#pragma once

#include <string>
#include <unordered_map>

#include <GL/glew.h>

#include "platform/cg/Cg.h"
#include "platform/cg/UniformDeclarations.h"

// The runtime's private records behind the opaque handles of Cg.h.

struct CgContextRecord {
    std::string lastListing;
};

struct CgParameterRecord {
    CgProgramRecord* program = nullptr;
    std::string name;
    UniformType type;
    GLint location = -1;     // -1 when the compiler dropped the uniform
    GLint textureUnit = -1;  // samplers only
    GLuint texture = 0;      // samplers only: set by cgGLSetTextureParameter
};

struct CgProgramRecord {
    CgContextRecord* context = nullptr;
    CGprofile profile = CG_PROFILE_UNKNOWN;
    GLuint program = 0;
    bool loaded = false;
    std::unordered_map<std::string, CgParameterRecord> parameters;
};

// Records the error until cgGetLastErrorString reads it.
void setCgError(CGerror error, const std::string& text);

// Handle checks: true for a live handle of this runtime; otherwise the matching
// invalid-handle error is raised.
bool validContext(CGcontext context);
bool validProgram(CGprogram program);
bool validParameter(CGparameter parameter);

void registerContext(CGcontext context);
void unregisterContext(CGcontext context);
void registerProgram(CGprogram program);
void unregisterProgram(CGprogram program);

// One of the two GLSL profiles, with every OpenGL entry point the runtime calls loaded.
bool isSupportedProfile(CGprofile profile);

// Takes the program out of any pipeline stage it occupies before it is deleted.
void releaseProgramStages(CGprogram program);
