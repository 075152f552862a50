#pragma once

#include <cstdint>

#include <GL/glew.h>

#include "app/FrameTimer.h"
#include "app/RunHooks.h"
#include "math/Matrix4.h"
#include "platform/window/WindowSystem.h"

class Scene;
class ShaderProgram;
class Environment;
class AsteroidField;
class Model3ds;
class ShadowVolume;

// The program's one global record.
struct AppState {
    Scene* scene = nullptr;
    Matrix4 podiumTransform;
    FrameTimer frameTimer;
    ShaderProgram* ambientShader = nullptr;
    ShaderProgram* bumpShader = nullptr;  // owned by the asteroid field
    Environment* environment = nullptr;
    AsteroidField* asteroidField = nullptr;
    Model3ds* planetModel = nullptr;
    Model3ds* podiumModel = nullptr;
    GLuint planetDecalTexture = 0;
    GLuint planetNormalTexture = 0;
    GLuint podiumDecalTexture = 0;
    GLuint podiumNormalTexture = 0;
    ShadowVolume* shipShadow = nullptr;
    ShadowVolume* podiumShadow = nullptr;
    bool reflectiveShip = false;
    bool firstReflectiveFrame = true;
    bool firstIdle = true;
    float lastIdleSeconds = 0.0f;
    std::uint32_t lastIdleTicks = 0;  // raw tick count behind lastIdleSeconds
    float fpsAccumulator = 0.0f;
    double currentFps = 0.0;
    double displayedFps = 0.0;

    RunHooks hooks;  // set from the command line before the window opens
    const WindowSystem* windowSystem;  // the toolkit's window unless a headless run chose another

    AppState();
};

extern AppState appState;
