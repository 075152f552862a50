#pragma once

#include <string>

#include <GL/glew.h>

#include "app/Light.h"
#include "math/Matrix4.h"

class ShaderProgram;

// The scene's cube map, the sky box drawn from it and the reflective bump pair of the fighter.
class Environment {
public:
    ShaderProgram* reflectionShader = nullptr;  // the pair when bumpReflection is false; owned
    ShaderProgram* bumpReflectionShader = nullptr;  // the pair when bumpReflection is true; owned
    GLuint cubeMapTexture = 0;  // built by loadCubeMap (CubeMap.h); owned
    bool bumpReflection = false;
    std::string imageExtension = "png";
    std::string cubeMapDirectory = "../resources/textures/custom_space/";
    std::string fragmentShaderFile = "../resources/shader/fp_bumpReflection.cg";
    std::string vertexShaderFile = "../resources/shader/vp_bumpReflection.cg";

    Environment() = default;
    ~Environment();
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    // Creates the pair that bumpReflection selects and attaches the cube map to "cubeMap".
    void createShader();
    // A cube of edge 3000 around the viewer, textured with the cube map in world orientation.
    void drawSkyBox();

    void enableTextures(bool bump);
    void disableTextures(bool bump);
    // Light and eye in world space plus the matrices, for one object under the given model matrix.
    void setReflectionParameters(const Light& light, const Vector3& eye, const Matrix4& model);

private:
    void toggleTextures(bool bump, void (ShaderProgram::*toggle)(const char*));
};
