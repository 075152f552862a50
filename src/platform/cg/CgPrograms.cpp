#include <cstring>

#include "platform/cg/CgGL.h"
#include "platform/cg/CgRecords.h"
#include "platform/os/ResourceFile.h"

namespace {

GLenum shaderStage(CGprofile profile) {
    return profile == CG_PROFILE_GLSLV ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER;
}

std::string programInfoLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) glGetProgramInfoLog(program, length, nullptr, &log[0]);
    while (!log.empty() && (log.back() == '\0' || log.back() == '\n')) log.pop_back();
    return log;
}

// A linked separable program, or 0 with the compiler's log in listing.
GLuint compileSeparable(CGprofile profile, const std::string& source, std::string& listing) {
    const char* text = source.c_str();
    const GLuint program = glCreateShaderProgramv(shaderStage(profile), 1, &text);
    if (!program) {
        listing = "the driver could not create a program object";
        return 0;
    }
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) return program;
    listing = programInfoLog(program);
    glDeleteProgram(program);
    return 0;
}

// Resolves the declared uniforms and gives the samplers texture units in declaration order.
void collectParameters(CgProgramRecord& record, const std::string& source) {
    GLint nextUnit = 0;
    for (const UniformDeclaration& declaration : parseUniformDeclarations(source)) {
        if (record.parameters.count(declaration.name)) continue;
        CgParameterRecord& parameter = record.parameters[declaration.name];
        parameter.program = &record;
        parameter.name = declaration.name;
        parameter.type = declaration.type;
        parameter.location = glGetUniformLocation(record.program, declaration.name.c_str());
        if (declaration.type.kind != UniformKind::Sampler) continue;
        parameter.textureUnit = nextUnit++;
        if (parameter.location >= 0) glProgramUniform1i(record.program, parameter.location, parameter.textureUnit);
    }
}

bool validCreateArguments(CGenum programType, const char* file, CGprofile profile, const char* entry) {
    if (programType != CG_SOURCE) {
        setCgError(CG_INVALID_PARAMETER_ERROR, "Only source programs are supported.");
    } else if (!isSupportedProfile(profile)) {
        setCgError(CG_INVALID_PROFILE_ERROR, "The profile is not supported.");
    } else if (!file) {
        setCgError(CG_FILE_READ_ERROR, "No program file was given.");
    } else if (!entry || std::strcmp(entry, "main") != 0) {
        setCgError(CG_INVALID_PARAMETER_ERROR, "The entry function must be \"main\".");
    } else {
        return true;
    }
    return false;
}

}  // namespace

CGcontext cgCreateContext() {
    CGcontext context = new CgContextRecord();
    registerContext(context);
    return context;
}

void cgDestroyContext(CGcontext context) {
    if (!validContext(context)) return;
    unregisterContext(context);
    delete context;
}

CGprogram cgCreateProgramFromFile(CGcontext context, CGenum programType, const char* programFile,
                                  CGprofile profile, const char* entry, const char** /*args*/) {
    if (!validContext(context)) return nullptr;
    if (!validCreateArguments(programType, programFile, profile, entry)) return nullptr;
    std::string source;
    if (readResource(programFile, kProgramSourceLimit, source) != ResourceError::None) {
        setCgError(CG_FILE_READ_ERROR, std::string("Can't read program file \"") + programFile + "\".");
        return nullptr;
    }
    context->lastListing.clear();
    const GLuint program = compileSeparable(profile, source, context->lastListing);
    if (!program) {
        setCgError(CG_COMPILER_ERROR, "The compile returned an error.");
        return nullptr;
    }
    CGprogram record = new CgProgramRecord();
    record->context = context;
    record->profile = profile;
    record->program = program;
    collectParameters(*record, source);
    registerProgram(record);
    return record;
}

void cgDestroyProgram(CGprogram program) {
    if (!validProgram(program)) return;
    releaseProgramStages(program);
    unregisterProgram(program);
    glDeleteProgram(program->program);
    delete program;
}

CGparameter cgGetNamedParameter(CGprogram program, const char* name) {
    if (!validProgram(program) || !name) return nullptr;
    const auto found = program->parameters.find(name);
    return found == program->parameters.end() ? nullptr : &found->second;
}
