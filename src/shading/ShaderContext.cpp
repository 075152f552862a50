#include "shading/ShaderContext.h"

#include <cstdlib>
#include <iostream>

#include "platform/cg/CgGL.h"

namespace {

bool isUsableProfile(CGprofile profile) { return profile != CG_PROFILE_UNKNOWN && profile != 10; }

ShaderContext* createShaderContext() {
    ShaderContext* created = new ShaderContext();
    created->vertexProfile = cgGLGetLatestProfile(CG_GL_VERTEX);
    created->fragmentProfile = cgGLGetLatestProfile(CG_GL_FRAGMENT);
    if (!isUsableProfile(created->vertexProfile)) {
        std::cerr << "Error: Cg can't get vertex profile" << std::endl;
        std::exit(1);
    }
    if (!isUsableProfile(created->fragmentProfile)) {
        std::cerr << "Error: Cg can't get fragment profile" << std::endl;
        std::exit(1);
    }
    created->context = cgCreateContext();
    return created;
}

}  // namespace

ShaderContext& ShaderContext::instance() {
    static ShaderContext* shared = createShaderContext();
    return *shared;
}
