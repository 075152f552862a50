#pragma once

#include <vector>

#include <GL/glew.h>

#include "app/Light.h"
#include "math/Matrix4.h"
#include "scene/Asteroid.h"

class Model3ds;
class ShaderProgram;
class ShadowVolume;

// Rocks drifting through a box in front of the viewer; each respawns when it leaves the box.
class AsteroidField {
public:
    std::vector<Asteroid*> asteroids;  // owned
    std::vector<GLuint> decalTextures;
    std::vector<GLuint> normalTextures;
    ShaderProgram* shader = nullptr;  // set before each pass; owned (released at destruction)
    std::vector<Model3ds*> models;  // owned
    int range = 0;
    float scaleBase = 0.0f;
    float speedBase = 0.0f;
    ShadowVolume* shadowCaster = nullptr;  // shared by every asteroid; owned
    bool ambientPass = false;
    bool useNormalMaps = false;
    Matrix4 currentMatrix;

    AsteroidField(int count, int range, float speedBase, float scaleBase, int textureCount, bool useNormalMaps);
    ~AsteroidField();
    AsteroidField(const AsteroidField&) = delete;
    AsteroidField& operator=(const AsteroidField&) = delete;

    void respawnAll();
    void update(float& dt);

    // The three passes of a frame; shader must be set by the caller first.
    void renderAmbient(const Light& light, const Vector3& eye);
    void renderShadows(const Light& light);
    void renderLit(const Light& light, const Vector3& eye);

    // Uploads the parameters of asteroid i for the current pass to the bound shader.
    void setAsteroidParameters(std::size_t i, const Light& light, const Vector3& eye, const Matrix4& model);

    AsteroidBounds bounds() const { return {range, speedBase, scaleBase}; }
};
