#include <unordered_set>

#include "platform/cg/CgRecords.h"

namespace {

struct ErrorState {
    CGerror error = CG_NO_ERROR;
    std::string text = "No error.";
    std::string readText;  // keeps the returned text alive after clearing
};

ErrorState& errorState() {
    static ErrorState state;
    return state;
}

std::unordered_set<const void*>& liveHandles() {
    static std::unordered_set<const void*> handles;
    return handles;
}

bool isLive(const void* handle) { return handle && liveHandles().count(handle) > 0; }

}  // namespace

void setCgError(CGerror error, const std::string& text) {
    errorState().error = error;
    errorState().text = text;
}

const char* cgGetLastErrorString(CGerror* error) {
    ErrorState& state = errorState();
    if (error) *error = state.error;
    state.readText = state.text;
    state.error = CG_NO_ERROR;
    state.text = "No error.";
    return state.readText.c_str();
}

const char* cgGetLastListing(CGcontext context) {
    if (!validContext(context)) return "";
    return context->lastListing.c_str();
}

bool validContext(CGcontext context) {
    if (isLive(context)) return true;
    setCgError(CG_INVALID_CONTEXT_HANDLE_ERROR, "Invalid context handle.");
    return false;
}

bool validProgram(CGprogram program) {
    if (isLive(program)) return true;
    setCgError(CG_INVALID_PROGRAM_HANDLE_ERROR, "Invalid program handle.");
    return false;
}

bool validParameter(CGparameter parameter) {
    if (isLive(parameter) && isLive(parameter->program)) return true;
    setCgError(CG_INVALID_PARAM_HANDLE_ERROR, "Invalid parameter handle.");
    return false;
}

void registerContext(CGcontext context) { liveHandles().insert(context); }

void unregisterContext(CGcontext context) { liveHandles().erase(context); }

void registerProgram(CGprogram program) {
    liveHandles().insert(program);
    for (auto& entry : program->parameters) liveHandles().insert(&entry.second);
}

void unregisterProgram(CGprogram program) {
    for (auto& entry : program->parameters) liveHandles().erase(&entry.second);
    liveHandles().erase(program);
}
