#include "app/StartUp.h"

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

#include <GL/glew.h>
#include <GL/glu.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>

#include "app/AppState.h"
#include "app/GlErrorReport.h"
#include "app/Scene.h"
#include "camera/Player.h"
#include "environment/CubeMap.h"
#include "environment/Environment.h"
#include "platform/model/Model3ds.h"
#include "scene/AsteroidField.h"
#include "shading/ShaderProgram.h"
#include "shading/TextureFile.h"
#include "shadow/ShadowVolume.h"
#include "spline/Spline.h"

namespace {

const char* const kResources = "../resources/";

std::string resource(const char* relative) { return std::string(kResources) + relative; }

void info(const char* text) { std::cout << text << std::endl; }
void infoTwoLines(const char* text) { std::cout << text << "\n" << std::endl; }
void infoOpen(const char* text) { std::cout << text << std::flush; }
void ok() { info("[OK]"); }

Model3ds* loadModel(const char* relative) {
    Model3ds* model = new Model3ds();
    model->loadModelWithTangents(resource(relative));
    return model;
}

void setFixedState() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
}

Light sceneLight() {
    Light light;
    light.position = Vector4(500.0f, 650.0f, 250.0f, 0.0f);
    light.ambient = Vector4(0.0f, 0.0f, 0.0f, 1.0f);
    light.diffuse = Vector4(0.6f, 0.6f, 0.6f, 1.0f);
    light.specular = Vector4(0.9f, 0.9f, 0.9f, 1.0f);
    light.shininess = 32.0f;
    return light;
}

void setFixedFunctionMaterial() {
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 1.0f};
    const GLfloat ambient[] = {0.4f, 0.4f, 0.4f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 50.0f);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
}

// Without a GLX display (a context of EGL) GLEW loads every OpenGL function and
// flag, then reports that it could not go on to GLX's, which such a run never uses.
bool loaderStarted(GLenum status) {
    return status == GLEW_OK || (status == GLEW_ERROR_NO_GLX_DISPLAY && !appState.windowSystem->loadsGlx);
}

bool initialiseGlew() {
    info("[INFO] Initializing GLEW ...");
    const GLenum status = glewInit();
    if (!loaderStarted(status)) {
        std::cerr << "[ERROR] Initializing GLEW failed: " << glewGetErrorString(status) << std::endl;
        return false;
    }
#ifdef ZEN_GL_DEBUG
    if (!reportGlErrors()) std::cerr << "[WARNING] OpenGL debug output is not available." << std::endl;
#endif
    infoTwoLines("[INFO] GLEW initialized.");
    return true;
}

bool initialiseDevil() {
    info("[INFO] Initializing DEVIL ...");
    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    if (reportImageError("[ERROR] Initializing DevIL failed: ")) return false;
    infoTwoLines("[INFO] DevIL initialized.");
    return true;
}

void createEnvironmentAndFighter(Player& player) {
    appState.environment = new Environment();
    loadCubeMap(*appState.environment);
    appState.environment->bumpReflection = true;
    appState.environment->createShader();

    player.model->loadModelWithTangents(resource("models/spaceFighter/spaceFighter.3ds"));
    player.loadDecalTexture();
    player.loadNormalTexture();

    ShaderProgram& reflection = *appState.environment->bumpReflectionShader;
    reflection.setTextureParameter("decal", player.decalTexture);
    reflection.setTextureParameter("normalMap",
                                   loadTextureFile(resource("models/spaceFighter/spaceFighter_NRM1.tga")));
    reportImageError("[ERROR] Could not load EMBM normal tex:");
}

// "<message>" and "[OK]" on one line, with the load's error line between them.
void loadTextureStep(const char* message, GLuint& texture, const char* relative, const char* errorText) {
    infoOpen(message);
    texture = loadTextureReportingErrors(resource(relative), errorText);
    ok();
}

// The message carries its own line break, so "[OK]" stands on the next line.
void loadModelStep(const char* message, Model3ds*& model, const char* relative) {
    infoOpen(message);
    model = loadModel(relative);
    ok();
}

void loadPlanetAndPodium() {
    loadTextureStep("[INFO] Loading planet texture...", appState.planetDecalTexture, "models/planet/Tex2.tga",
                    "[ERROR] Could not load planet decal tex:");
    loadTextureStep("[INFO] Loading planet normal map...", appState.planetNormalTexture,
                    "models/planet/Tex2_NRM.tga", "[ERROR] Could not load planet normal tex:");
    loadModelStep("[INFO] Loading planet 3D model...\n", appState.planetModel, "models/planet/planet.3ds");
    loadTextureStep("[INFO] Loading podium texture...", appState.podiumDecalTexture,
                    "models/podium/podium_spec.tga", "[ERROR] Could not load pillar decal tex:");
    loadTextureStep("[INFO] Loading podium normal map...", appState.podiumNormalTexture,
                    "models/podium/podium_NRM.tga", "[ERROR] Could not load pillar normal tex:");
    loadModelStep("[INFO] Loading podium 3D model...\n", appState.podiumModel, "models/podium/podium.3ds");
}

void createAsteroidField() {
    infoOpen("[INFO] Creating asteroids...\n");
    appState.asteroidField = new AsteroidField(5, 300, 30.0f, 10.0f, 3, true);
    appState.asteroidField->respawnAll();
    ok();
}

void loadPaths(Player& player) {
    infoOpen("[INFO] Initializing SPLINE...");
    player.paths.push_back(new Spline(resource("splines/playerspline.sdf")));
    player.paths.push_back(new Spline(resource("splines/playersplineCircle.sdf")));
    player.currentPath = player.paths[0];
    infoTwoLines("[OK]");
}

}  // namespace

void startUp() {
    Scene& scene = *appState.scene;
    Player& player = *scene.player;

    setFixedState();
    scene.lights.push_back(sceneLight());
    scene.fixedEye = Vector3(0.0f, 0.0f, 10.0f);
    scene.fixedTarget = Vector3(0.0f, 0.0f, 0.0f);
    setFixedFunctionMaterial();
    const std::string windowSystem = appState.windowSystem->name;
    const GLenum glError = glGetError();
    if (glError != GL_NO_ERROR)
        std::cerr << "[WARNING] Error while initializing " << windowSystem << ": " << gluErrorString(glError)
                  << std::endl;
    infoTwoLines(("[INFO] " + windowSystem + " initialized.").c_str());

    // Nothing below can run without the extension loader and the image library.
    if (!initialiseGlew()) std::exit(EXIT_FAILURE);
    if (!initialiseDevil()) std::exit(EXIT_FAILURE);

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // Before the shaders, which the driver may not run, and before the asteroid field draws its first number.
    if (appState.hooks.afterLibrariesStart) appState.hooks.afterLibrariesStart();
    appState.ambientShader = new ShaderProgram(resource("shader/vp_pass.cg"), resource("shader/fp_ambient.cg"));
    createEnvironmentAndFighter(player);
    loadPlanetAndPodium();

    appState.shipShadow = new ShadowVolume(player.model, "SpaceShip");
    appState.podiumShadow = new ShadowVolume(appState.podiumModel, "Podium");
    createAsteroidField();

    info("[INFO] USING SHADERS:");
    infoOpen("[INFO] Loading bump map shader...");
    appState.bumpShader = new ShaderProgram(resource("shader/vp_bump.cg"), resource("shader/fp_bump.cg"));
    ok();
    appState.asteroidField->shader = appState.bumpShader;
    player.shader = appState.bumpShader;

    info("[INFO] USING Shadows:");
    info("[INFO] Setting shadows for asteroids...");
    appState.asteroidField->shadowCaster = new ShadowVolume(appState.asteroidField->models[0], "Asteroid");
    ok();
    appState.asteroidField->ambientPass = true;

    loadPaths(player);
    appState.windowSystem->hideCursor();
    infoTwoLines("[INFO] Application initialized.");
}
