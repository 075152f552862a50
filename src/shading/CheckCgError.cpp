#include "shading/CheckCgError.h"

#include <cstdio>
#include <cstdlib>

#include "shading/ShaderContext.h"

void checkCgError(const char* situation) {
    CGerror error = CG_NO_ERROR;
    const char* text = cgGetLastErrorString(&error);
    ShaderContext& shared = ShaderContext::instance();
    if (error == CG_NO_ERROR) return;
    std::printf("%s: %s\n", situation, text);
    if (error == CG_COMPILER_ERROR) std::printf("%s\n", cgGetLastListing(shared.context));
    std::exit(1);
}
