#include "run/HeadlessRun.h"

#include <cstdlib>
#include <iostream>

#include "app/AppState.h"
#include "app/IdleStep.h"
#include "app/Input.h"
#include "app/StartUp.h"
#include "platform/egl/EglWindowSystem.h"
#include "run/Run.h"
#include "run/RunState.h"

void runHeadless() {
    std::cout << "[INFO] Initializing EGL ..." << std::endl;
    std::string problem;
    if (!createEglContext(runState.eglContext, problem)) {
        std::cerr << "[ERROR] Initializing EGL failed: " << problem << std::endl;
        std::exit(EXIT_FAILURE);
    }
    appState.windowSystem = &kEglWindowSystem;
    onReshape(runState.frameWidth, runState.frameHeight);
    startUp();
    beginRun();
    for (;;) idleStep();
}
