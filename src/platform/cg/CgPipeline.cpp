#include "platform/cg/CgGL.h"
#include "platform/cg/CgRecords.h"

// Enabled profiles and bound programs meet in one program pipeline object; with
// both profiles off, pipeline 0 hands drawing back to fixed function.

namespace {

struct Stage {
    bool enabled = false;
    CGprogram bound = nullptr;
};

struct PipelineState {
    GLuint pipeline = 0;
    Stage vertex;
    Stage fragment;
};

PipelineState& pipelineState() {
    static PipelineState state;
    return state;
}

Stage& stageOf(CGprofile profile) {
    return profile == CG_PROFILE_GLSLV ? pipelineState().vertex : pipelineState().fragment;
}

// The pipeline of the current GL context; a name from an earlier context is replaced.
GLuint currentPipeline() {
    PipelineState& state = pipelineState();
    if (!state.pipeline || !glIsProgramPipeline(state.pipeline)) {
        glGenProgramPipelines(1, &state.pipeline);
        glBindProgramPipeline(state.pipeline);
    }
    return state.pipeline;
}

GLuint stageProgram(const Stage& stage) { return stage.enabled && stage.bound ? stage.bound->program : 0; }

// Puts both stages' programs into the pipeline, or pipeline 0 when no profile is on.
void applyStages() {
    const PipelineState& state = pipelineState();
    if (!state.vertex.enabled && !state.fragment.enabled) {
        glBindProgramPipeline(0);
        return;
    }
    const GLuint pipeline = currentPipeline();
    glUseProgramStages(pipeline, GL_VERTEX_SHADER_BIT, stageProgram(state.vertex));
    glUseProgramStages(pipeline, GL_FRAGMENT_SHADER_BIT, stageProgram(state.fragment));
    glBindProgramPipeline(pipeline);
}

// Every entry point the runtime calls. GLEW loads them by extension, not by
// version: a driver that reports OpenGL 4.1 but does not list
// ARB_separate_shader_objects leaves glCreateShaderProgramv and the pipeline
// functions null.
bool separableProgramsLoaded() {
    return glCreateShaderProgramv && glGetProgramiv && glGetProgramInfoLog && glDeleteProgram &&
           glGetUniformLocation && glActiveTexture && glGenProgramPipelines && glIsProgramPipeline &&
           glBindProgramPipeline && glUseProgramStages && glProgramUniform1i && glProgramUniform1fv &&
           glProgramUniform2fv && glProgramUniform3fv && glProgramUniform4fv && glProgramUniform1iv &&
           glProgramUniform2iv && glProgramUniform3iv && glProgramUniform4iv && glProgramUniformMatrix2fv &&
           glProgramUniformMatrix3fv && glProgramUniformMatrix4fv;
}

bool validProfile(CGprofile profile) {
    if (isSupportedProfile(profile)) return true;
    setCgError(CG_INVALID_PROFILE_ERROR, "The profile is not supported.");
    return false;
}

}  // namespace

bool isSupportedProfile(CGprofile profile) {
    return (profile == CG_PROFILE_GLSLV || profile == CG_PROFILE_GLSLF) && separableProgramsLoaded();
}

CGprofile cgGLGetLatestProfile(CGGLenum profileType) {
    if (!separableProgramsLoaded()) return CG_PROFILE_UNKNOWN;
    if (profileType == CG_GL_VERTEX) return CG_PROFILE_GLSLV;
    if (profileType == CG_GL_FRAGMENT) return CG_PROFILE_GLSLF;
    setCgError(CG_INVALID_PARAMETER_ERROR, "Unknown profile class.");
    return CG_PROFILE_UNKNOWN;
}

void cgGLSetOptimalOptions(CGprofile profile) { validProfile(profile); }

void cgGLLoadProgram(CGprogram program) {
    if (validProgram(program)) program->loaded = true;
}

void cgGLEnableProfile(CGprofile profile) {
    if (!validProfile(profile)) return;
    stageOf(profile).enabled = true;
    applyStages();
}

void cgGLDisableProfile(CGprofile profile) {
    if (!validProfile(profile)) return;
    stageOf(profile).enabled = false;
    applyStages();
}

void cgGLBindProgram(CGprogram program) {
    if (!validProgram(program)) return;
    if (!program->loaded) {
        setCgError(CG_PROGRAM_LOAD_ERROR, "The program must be loaded before it is bound.");
        return;
    }
    stageOf(program->profile).bound = program;
    if (stageOf(program->profile).enabled) applyStages();
}

void releaseProgramStages(CGprogram program) {
    Stage& stage = stageOf(program->profile);
    if (stage.bound != program) return;
    stage.bound = nullptr;
    if (stage.enabled) applyStages();
}
