#pragma once

#include <string>
#include <vector>

#include <GL/glew.h>

// What a uniform declaration's type says about how values reach it.
enum class UniformKind { Float, Int, Bool, Matrix, Sampler };

struct UniformType {
    UniformKind kind = UniformKind::Float;
    int components = 1;     // vector size, or matrix columns (square matrices only)
    GLenum samplerTarget = 0;  // GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP, ...
};

struct UniformDeclaration {
    std::string name;
    UniformType type;
};

// The type named by a GLSL type keyword; false for types this runtime does not set.
bool parseUniformType(const std::string& keyword, UniformType& type);

// The plain `uniform <type> <name>[, <name>...];` declarations of a GLSL source, in
// source order, with comments ignored. Arrays, blocks and struct types are skipped.
std::vector<UniformDeclaration> parseUniformDeclarations(const std::string& source);
