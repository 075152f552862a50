#include "platform/cg/UniformDeclarations.h"

#include <cctype>
#include <map>

namespace {

// Replaces comments and preprocessor lines by blanks so declarations can be tokenised.
std::string stripCommentsAndDirectives(const std::string& source) {
    std::string out(source.size(), ' ');
    bool lineStart = true;
    for (size_t i = 0; i < source.size();) {
        const char c = source[i];
        if (c == '/' && i + 1 < source.size() && source[i + 1] == '/') {
            while (i < source.size() && source[i] != '\n') ++i;
        } else if (c == '/' && i + 1 < source.size() && source[i + 1] == '*') {
            const size_t end = source.find("*/", i + 2);
            i = end == std::string::npos ? source.size() : end + 2;
        } else if (c == '#' && lineStart) {
            while (i < source.size() && source[i] != '\n') ++i;
        } else {
            out[i] = c;
            if (c == '\n') lineStart = true;
            else if (!std::isspace(static_cast<unsigned char>(c))) lineStart = false;
            ++i;
        }
    }
    return out;
}

bool isIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Identifiers and single punctuation characters.
std::vector<std::string> tokenise(const std::string& text) {
    std::vector<std::string> tokens;
    for (size_t i = 0; i < text.size();) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
        } else if (isIdentifierChar(text[i])) {
            size_t end = i;
            while (end < text.size() && isIdentifierChar(text[end])) ++end;
            tokens.push_back(text.substr(i, end - i));
            i = end;
        } else {
            tokens.push_back(std::string(1, text[i]));
            ++i;
        }
    }
    return tokens;
}

bool isQualifier(const std::string& token) {
    return token == "lowp" || token == "mediump" || token == "highp" || token == "flat" ||
           token == "smooth" || token == "invariant";
}

// Reads the names after the type up to ';'; false when the statement is not a plain list.
bool readNames(const std::vector<std::string>& tokens, size_t& i, std::vector<std::string>& names) {
    while (i < tokens.size()) {
        if (!isIdentifierChar(tokens[i][0])) return false;
        names.push_back(tokens[i++]);
        if (i >= tokens.size()) return false;
        if (tokens[i] == ";") return true;
        if (tokens[i] != ",") return false;
        ++i;
    }
    return false;
}

}  // namespace

bool parseUniformType(const std::string& keyword, UniformType& type) {
    static const std::map<std::string, UniformType> types = {
        {"float", {UniformKind::Float, 1, 0}},  {"vec2", {UniformKind::Float, 2, 0}},
        {"vec3", {UniformKind::Float, 3, 0}},   {"vec4", {UniformKind::Float, 4, 0}},
        {"int", {UniformKind::Int, 1, 0}},      {"ivec2", {UniformKind::Int, 2, 0}},
        {"ivec3", {UniformKind::Int, 3, 0}},    {"ivec4", {UniformKind::Int, 4, 0}},
        {"bool", {UniformKind::Bool, 1, 0}},    {"bvec2", {UniformKind::Bool, 2, 0}},
        {"bvec3", {UniformKind::Bool, 3, 0}},   {"bvec4", {UniformKind::Bool, 4, 0}},
        {"mat2", {UniformKind::Matrix, 2, 0}},  {"mat3", {UniformKind::Matrix, 3, 0}},
        {"mat4", {UniformKind::Matrix, 4, 0}},
        {"sampler1D", {UniformKind::Sampler, 1, GL_TEXTURE_1D}},
        {"sampler2D", {UniformKind::Sampler, 1, GL_TEXTURE_2D}},
        {"sampler3D", {UniformKind::Sampler, 1, GL_TEXTURE_3D}},
        {"samplerCube", {UniformKind::Sampler, 1, GL_TEXTURE_CUBE_MAP}},
    };
    const auto found = types.find(keyword);
    if (found == types.end()) return false;
    type = found->second;
    return true;
}

std::vector<UniformDeclaration> parseUniformDeclarations(const std::string& source) {
    const std::vector<std::string> tokens = tokenise(stripCommentsAndDirectives(source));
    std::vector<UniformDeclaration> declarations;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i] != "uniform") continue;
        size_t next = i + 1;
        while (next < tokens.size() && isQualifier(tokens[next])) ++next;
        UniformType type;
        if (next >= tokens.size() || !parseUniformType(tokens[next], type)) continue;
        ++next;
        std::vector<std::string> names;
        if (!readNames(tokens, next, names)) continue;
        for (const std::string& name : names) declarations.push_back({name, type});
        i = next;
    }
    return declarations;
}
