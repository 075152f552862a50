#include "app/DisplayFrame.h"

#include <cstdio>

#include <GL/glew.h>
#include <GL/glu.h>

#include "app/AppState.h"
#include "app/Scene.h"
#include "camera/FlyCam.h"
#include "camera/FollowCam.h"
#include "camera/Player.h"
#include "environment/Environment.h"
#include "platform/model/Model3ds.h"
#include "scene/AsteroidField.h"
#include "shading/LightingParameters.h"
#include "shading/ParameterUploads.h"
#include "shading/ShaderProgram.h"
#include "shadow/PassStates.h"
#include "shadow/ShadowVolume.h"
#include "spline/Spline.h"

namespace {

void passBegins(FramePass pass) {
    if (appState.hooks.passBegins) appState.hooks.passBegins(pass);
}

void loadView(Scene& scene) {
    switch (scene.cameraMode) {
        case CameraMode::Fixed: {
            const Vector3 eye = scene.eyePosition();
            gluLookAt(eye.x, eye.y, eye.z, scene.fixedTarget.x, scene.fixedTarget.y, scene.fixedTarget.z, 0.0,
                      1.0, 0.0);
            break;
        }
        case CameraMode::Fly: {
            FlyCam& camera = *scene.flyCam;
            camera.updateVectors();
            glLoadMatrixf(lookAt(camera.viewCenter, camera.position, camera.up).data());
            break;
        }
        case CameraMode::Follow: glLoadMatrixf(scene.followCam->viewMatrix.data()); break;
    }
}

// One object of the ambient pass, under its model matrix (none for the planet).
void drawAmbient(ShaderProgram& ambient, GLuint decal, const Matrix4* model, Model3ds& mesh) {
    ambient.bind();
    ambient.setTextureParameter("decal", decal);
    ambient.enableTextureParameter("decal");
    glPushMatrix();
    if (model) glMultMatrixf(model->data());
    setModelViewProjection(ambient.vertexProgram);
    mesh.render();
    glPopMatrix();
    ambient.disableTextureParameter("decal");
    ambient.unbind();
}

// Ambient pass of planet, fighter and podium; rebuilds the fighter's model matrix
// before drawing it and returns it.
Matrix4 drawAmbientPassPlacingFighter(Scene& scene) {
    ShaderProgram& ambient = *appState.ambientShader;
    Player& player = *scene.player;
    beginAmbientPass();
    drawAmbient(ambient, appState.planetDecalTexture, nullptr, *appState.planetModel);
    player.updateModelMatrix();
    const Matrix4 fighterMatrix = player.modelMatrix;
    drawAmbient(ambient, player.decalTexture, &fighterMatrix, *player.model);
    drawAmbient(ambient, appState.podiumDecalTexture, &appState.podiumTransform, *appState.podiumModel);
    endPass();
    return fighterMatrix;
}

void drawShadowVolume(ShadowVolume& volume, const Matrix4& model, const Light& light) {
    glPushMatrix();
    glMultMatrixf(model.data());
    volume.light = light.position;
    volume.renderVolume(model);
    glPopMatrix();
}

void drawBumpLit(ShaderProgram& shader, GLuint decal, GLuint normalMap, const Matrix4* model, Model3ds& mesh) {
    shader.bind();
    shader.setTextureParameter("decal", decal);
    shader.enableTextureParameter("decal");
    shader.setTextureParameter("normalMap", normalMap);
    shader.enableTextureParameter("normalMap");
    glPushMatrix();
    if (model) glMultMatrixf(model->data());
    setLightingParameters(shader, model ? *model : Matrix4());
    mesh.render();
    glPopMatrix();
    shader.disableTextureParameter("decal");
    shader.disableTextureParameter("normalMap");
    shader.unbind();
}

// The first reflective frame brings the follow camera close once.
void closeInOnFirstReflectiveFrame(Scene& scene) {
    if (appState.firstReflectiveFrame) scene.followCam->followDistance = -10.0f;
    appState.firstReflectiveFrame = false;
}

void drawReflectiveFighter(Scene& scene) {
    Environment& environment = *appState.environment;
    Player& player = *scene.player;
    environment.bumpReflectionShader->bind();
    environment.enableTextures(true);
    glPushMatrix();
    const Matrix4 model = player.modelMatrix;
    glMultMatrixf(model.data());
    environment.setReflectionParameters(scene.lights[0], scene.eyePosition(), model);
    player.model->render();
    glPopMatrix();
    environment.disableTextures(true);
    environment.bumpReflectionShader->unbind();
}

void drawLitPass(Scene& scene, const Matrix4& fighterMatrix) {
    Player& player = *scene.player;
    beginLitPass();
    drawBumpLit(*appState.bumpShader, appState.planetDecalTexture, appState.planetNormalTexture, nullptr,
                *appState.planetModel);
    drawBumpLit(*appState.bumpShader, appState.podiumDecalTexture, appState.podiumNormalTexture,
                &appState.podiumTransform, *appState.podiumModel);
    if (appState.reflectiveShip) {
        closeInOnFirstReflectiveFrame(scene);
        passBegins(FramePass::Reflection);
        drawReflectiveFighter(scene);
        passBegins(FramePass::Lit);
    } else {
        drawBumpLit(*player.shader, player.decalTexture, player.normalTexture, &fighterMatrix, *player.model);
    }
    appState.asteroidField->shader = appState.bumpShader;
    appState.asteroidField->renderLit(scene.lights[0], scene.eyePosition());
    endPass();
}

// The overlay shows the previous frame's rate, refreshed after more than half a second.
void refreshDisplayedFrameRate() {
    if (appState.fpsAccumulator > 0.5f) {
        appState.displayedFps = appState.currentFps;
        appState.fpsAccumulator = 0.0f;
    }
}

void measureFrameRate() {
    const double dt = appState.frameTimer.elapsedSeconds();
    appState.currentFps = dt > 0.0 ? 1.0 / dt : 0.0;
    appState.frameTimer.start();
}

void drawFrameRate() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    char text[1024];
    std::snprintf(text, sizeof text, "%06.2f FPS", appState.displayedFps);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glRasterPos2f(-0.9f, -0.9f);
    if (appState.hooks.showsFrameRate) appState.windowSystem->drawBitmapText(text);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
}

}  // namespace

void displayFrame() {
    Scene& scene = *appState.scene;
    glGetError();
    passBegins(FramePass::Sky);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    loadView(scene);
    glPolygonMode(GL_FRONT_AND_BACK, scene.polygonMode);
    if (scene.player->currentPath) scene.player->currentPath->draw();
    appState.environment->drawSkyBox();

    passBegins(FramePass::Ambient);
    const Matrix4 fighterMatrix = drawAmbientPassPlacingFighter(scene);
    appState.asteroidField->shader = appState.ambientShader;
    appState.asteroidField->renderAmbient(scene.lights[0], scene.eyePosition());

    passBegins(FramePass::ShadowVolumes);
    drawShadowVolume(*appState.shipShadow, scene.player->modelMatrix, scene.lights[0]);
    drawShadowVolume(*appState.podiumShadow, appState.podiumTransform, scene.lights[0]);
    appState.asteroidField->renderShadows(scene.lights[0]);

    passBegins(FramePass::Lit);
    drawLitPass(scene, fighterMatrix);
    refreshDisplayedFrameRate();
    measureFrameRate();
    passBegins(FramePass::Overlay);
    drawFrameRate();
    passBegins(FramePass::Done);
    const RunHooks& hooks = appState.hooks;
    if (hooks.beforeSwap) hooks.beforeSwap();
    if (hooks.swapsBuffers) appState.windowSystem->swapBuffers();
    if (hooks.afterSwap) hooks.afterSwap();
}
