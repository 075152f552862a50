#pragma once

// The shader runtime's core interface: contexts, programs, parameters and errors.
// Programs are GLSL sources compiled into separable OpenGL program objects.

struct CgContextRecord;
struct CgProgramRecord;
struct CgParameterRecord;

typedef CgContextRecord* CGcontext;
typedef CgProgramRecord* CGprogram;
typedef CgParameterRecord* CGparameter;

typedef int CGprofile;
typedef int CGerror;
typedef int CGenum;

enum : CGprofile {
    CG_PROFILE_UNKNOWN = 6145,
    CG_PROFILE_GLSLV = 7007,
    CG_PROFILE_GLSLF = 7008,
};

enum : CGerror {
    CG_NO_ERROR = 0,
    CG_COMPILER_ERROR = 1,
    CG_INVALID_PARAMETER_ERROR = 2,
    CG_INVALID_PROFILE_ERROR = 3,
    CG_FILE_READ_ERROR = 4,
    CG_INVALID_CONTEXT_HANDLE_ERROR = 5,
    CG_INVALID_PROGRAM_HANDLE_ERROR = 6,
    CG_INVALID_PARAM_HANDLE_ERROR = 7,
    CG_PROGRAM_LOAD_ERROR = 8,
};

enum : CGenum {
    CG_SOURCE = 4112,
};

CGcontext cgCreateContext();
// Programs created in the context stay usable after it is destroyed.
void cgDestroyContext(CGcontext context);
CGprogram cgCreateProgramFromFile(CGcontext context, CGenum programType, const char* programFile,
                                  CGprofile profile, const char* entry, const char** args);
void cgDestroyProgram(CGprogram program);
CGparameter cgGetNamedParameter(CGprogram program, const char* name);
void cgSetParameter3f(CGparameter parameter, float x, float y, float z);
void cgSetParameter1i(CGparameter parameter, int value);

// The latest error and its text; reading it clears it. error may be null.
const char* cgGetLastErrorString(CGerror* error);
// The info log of the latest failed compile or link in the context.
const char* cgGetLastListing(CGcontext context);
