#include "app/AppState.h"

#include "app/Scene.h"
#include "platform/glut/GlutWindowSystem.h"

AppState::AppState()
    : scene(new Scene(1024, 768)), podiumTransform(translation(Vector3(220.0f, -15.0f, -470.0f))),
      windowSystem(&kGlutWindowSystem) {
    frameTimer.start();
}

AppState appState;
