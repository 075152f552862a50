#include "app/IdleStep.h"

#include "app/AppState.h"
#include "app/DisplayFrame.h"
#include "app/Scene.h"
#include "camera/FlyCam.h"
#include "camera/FollowCam.h"
#include "camera/Player.h"
#include "platform/os/Clock.h"
#include "scene/AsteroidField.h"

namespace {

float tickSeconds(std::uint32_t ticks) { return static_cast<float>(static_cast<double>(ticks) / 1000.0); }

// The tick-count time since the previous step; the first step measures almost nothing.
float measuredStep() {
    if (appState.firstIdle) {
        appState.lastIdleTicks = tickCountMilliseconds();
        appState.lastIdleSeconds = tickSeconds(appState.lastIdleTicks);
    }
    const std::uint32_t nowTicks = tickCountMilliseconds();
    // The unsigned difference stays the true step when the 32-bit count wraps.
    const float dt = tickSecondsBetween(appState.lastIdleTicks, nowTicks);
    appState.lastIdleTicks = nowTicks;
    appState.lastIdleSeconds = tickSeconds(nowTicks);
    return dt;
}

}  // namespace

void advanceSimulation(float dt) {
    Scene& scene = *appState.scene;
    scene.player->steer();
    scene.player->update(dt);
    if (appState.asteroidField) appState.asteroidField->update(dt);
    switch (scene.cameraMode) {
        case CameraMode::Fixed: break;
        case CameraMode::Fly: scene.flyCam->update(dt); break;
        case CameraMode::Follow: scene.followCam->follow(*scene.player, dt); break;
    }
}

void idleStep() {
    float dt = measuredStep();
    appState.fpsAccumulator += dt;  // the overlay refreshes by real time, whatever the step
    const RunHooks& hooks = appState.hooks;
    if (!hooks.beforeStep || hooks.beforeStep(dt)) advanceSimulation(dt);
    appState.firstIdle = false;
    if (hooks.drawsFromIdle) displayFrame();
    else appState.windowSystem->postRedisplay();
}
