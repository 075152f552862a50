#include "scene/AsteroidField.h"

#include <cstdio>
#include <cstdlib>

#include "platform/model/Model3ds.h"
#include "shading/LightingParameters.h"
#include "shading/ParameterUploads.h"
#include "shading/ShaderProgram.h"
#include "shading/TextureFile.h"
#include "shadow/PassStates.h"
#include "shadow/ShadowVolume.h"

namespace {

const char* const kModelPath = "../resources/models/asteroid/asteroid.3ds";
const char* const kDecalPattern = "../resources/models/asteroid/%s%u.%s";
const char* const kNormalPattern = "../resources/models/asteroid/%s%u_NRM.%s";

// Load errors are not reported here; they are cleared so no later check reports them.
GLuint loadVariantTextureQuietly(const char* pattern, unsigned variant) {
    char path[1024];
    std::snprintf(path, sizeof path, pattern, "Tex", variant, "tga");
    const GLuint texture = loadTextureFile(path);
    clearImageErrors();
    return texture;
}

// Index into a list of the given size; an empty list is never divided by.
std::size_t randomIndex(std::size_t size) {
    const int r = std::rand();
    return size == 0 ? 0 : static_cast<std::size_t>(r) % size;
}

}  // namespace

AsteroidField::AsteroidField(int count, int range_, float speedBase_, float scaleBase_, int textureCount,
                             bool useNormalMaps_)
    : range(range_), scaleBase(scaleBase_), speedBase(speedBase_), useNormalMaps(useNormalMaps_) {
    for (int t = 0; t < textureCount; ++t) {
        decalTextures.push_back(loadVariantTextureQuietly(kDecalPattern, static_cast<unsigned>(t)));
        if (useNormalMaps)
            normalTextures.push_back(loadVariantTextureQuietly(kNormalPattern, static_cast<unsigned>(t)));
    }
    models.push_back(new Model3ds(kModelPath));
    models.front()->calculateTangents();
    for (int i = 0; i < count; ++i) {
        Asteroid* asteroid = new Asteroid();
        asteroids.push_back(asteroid);
        asteroid->model = models[randomIndex(models.size())];
        const std::size_t k = randomIndex(decalTextures.size());
        if (k < decalTextures.size()) asteroid->decalTexture = decalTextures[k];
        if (useNormalMaps && k < normalTextures.size()) asteroid->normalTexture = normalTextures[k];
    }
}

AsteroidField::~AsteroidField() {
    for (Asteroid* asteroid : asteroids) {
        asteroid->model = nullptr;
        delete asteroid;
    }
    asteroids.clear();
    // Whichever pair the field holds last is its own: in the program that is bumpShader, released here for all.
    delete shader;
    shader = nullptr;
    // Both lists hold OpenGL texture names, made by ilutGLLoadImage.
    if (!decalTextures.empty()) glDeleteTextures(static_cast<GLsizei>(decalTextures.size()), decalTextures.data());
    if (!normalTextures.empty())
        glDeleteTextures(static_cast<GLsizei>(normalTextures.size()), normalTextures.data());
    decalTextures.clear();
    normalTextures.clear();
    for (Model3ds* model : models) delete model;
    models.clear();
    delete shadowCaster;
    shadowCaster = nullptr;
}

void AsteroidField::respawnAll() {
    for (Asteroid* asteroid : asteroids) respawn(*asteroid, bounds(), std::rand);
}

void AsteroidField::update(float& dt) {
    for (Asteroid* asteroid : asteroids) {
        advance(*asteroid, dt);
        if (outsideBox(*asteroid, range)) respawn(*asteroid, bounds(), std::rand);
    }
}

void AsteroidField::setAsteroidParameters(std::size_t i, const Light& light, const Vector3& eye,
                                          const Matrix4& model) {
    const Asteroid& asteroid = *asteroids.at(i);
    ShaderProgram& program = *shader;
    if (!ambientPass) {
        const Matrix4 toObject = objectSpaceMatrix(model);
        const Vector4 lightPosition = multiplyRows(toObject, light.position);
        // A point, unlike the light and multiplyRowsDirection: the asteroid's translation must reach the eye.
        const Vector3 eyePosition = multiplyRowsPoint(toObject, eye);
        // Without normal maps the fragment program lights in object space itself.
        const CGprogram target = useNormalMaps ? program.vertexProgram : program.fragmentProgram;
        setVector3(target, "lightPosition", &lightPosition.x);
        setVector3(target, "eyePosition", &eyePosition.x);
        if (useNormalMaps) {
            program.setTextureParameter("normalMap", asteroid.normalTexture);
            program.enableTextureParameter("normalMap");
        }
        setLightCoefficients(program.fragmentProgram, light);
    }
    program.setTextureParameter("decal", asteroid.decalTexture);
    program.enableTextureParameter("decal");
    setModelViewProjection(program.vertexProgram);
}

void AsteroidField::renderAmbient(const Light& light, const Vector3& eye) {
    ambientPass = true;
    for (std::size_t i = 0; i < asteroids.size(); ++i) {
        Asteroid& asteroid = *asteroids[i];
        shader->bind();
        glPushMatrix();
        asteroid.modelMatrix = asteroidModelMatrix(asteroid);
        currentMatrix = asteroid.modelMatrix;
        glMultMatrixf(currentMatrix.data());
        setAsteroidParameters(i, light, eye, currentMatrix);
        beginAmbientPass();
        if (asteroid.model) asteroid.model->render();
        endPass();
        glPopMatrix();
        shader->disableTextureParameter("decal");
        shader->unbind();
    }
}

void AsteroidField::renderShadows(const Light& light) {
    if (!shadowCaster) return;
    for (Asteroid* asteroid : asteroids) {
        glPushMatrix();
        glMultMatrixf(asteroid->modelMatrix.data());
        // renderVolume turns the light into object space, so it is copied anew each time.
        shadowCaster->light = light.position;
        shadowCaster->renderVolume(asteroid->modelMatrix);
        glPopMatrix();
    }
}

void AsteroidField::renderLit(const Light& light, const Vector3& eye) {
    ambientPass = false;
    for (std::size_t i = 0; i < asteroids.size(); ++i) {
        Asteroid& asteroid = *asteroids[i];
        shader->bind();
        glPushMatrix();
        currentMatrix = asteroid.modelMatrix;
        glMultMatrixf(currentMatrix.data());
        setAsteroidParameters(i, light, eye, currentMatrix);
        if (asteroid.model) asteroid.model->render();
        glPopMatrix();
        shader->disableTextureParameter("decal");
        if (useNormalMaps) shader->disableTextureParameter("normalMap");
        shader->unbind();
    }
}
