#include "app/CleanUp.h"

#include <cstdlib>
#include <iostream>

#include "app/AppState.h"
#include "app/Scene.h"
#include "environment/Environment.h"
#include "platform/model/Model3ds.h"
#include "scene/AsteroidField.h"
#include "shading/ShaderProgram.h"
#include "shadow/ShadowVolume.h"

void cleanUp() {
    std::cout << "[INFO] Cleaning up application..." << std::endl;
    // delete skips null pointers: whatever start-up never created is left out.
    delete appState.scene;
    delete appState.environment;
    delete appState.asteroidField;  // also releases bumpShader, its current pair
    delete appState.planetModel;
    delete appState.shipShadow;
    delete appState.ambientShader;
    delete appState.podiumModel;
    delete appState.podiumShadow;
    std::cout << "[INFO] Application cleaned up successfully.\n" << std::endl;
}

void quitApplication(int status) {
    appState.windowSystem->leaveMainLoop();
    cleanUp();
    std::exit(status);
}
