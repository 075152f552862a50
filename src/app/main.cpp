#include <iostream>

#include <GL/glew.h>
#include <GL/freeglut.h>

#include "app/DisplayFrame.h"
#include "app/IdleStep.h"
#include "app/Input.h"
#include "app/StartUp.h"
#include "platform/os/KeyRepeat.h"
#include "platform/os/WindowIdentity.h"
#include "run/HeadlessRun.h"
#include "run/Run.h"

int main(int argc, char** argv) {
    CommandLine commandLine = parseCommandLine(argc, argv);
    int status = 0;
    if (answeredWithoutDisplay(commandLine, status)) return status;
    configureRun(commandLine.options);
    if (commandLine.options.headless) runHeadless();

    std::cout << "[INFO] Initializing GLUT ..." << std::endl;
    int toolkitArgc = static_cast<int>(commandLine.toolkitArguments.size()) - 1;
    glutInit(&toolkitArgc, commandLine.toolkitArguments.data());
    prepareWindow();
    glutCreateWindow("The Zendrils are back");
    setWindowIdentity(kProgramIcon);
    // Held keys repeat their presses but are released once, so that the keys
    // acting on release act once per hold; servers without it repeat as before.
    requestDetectableKeyRepeat();

    glutSpecialFunc(onSpecialKeyDown);
    glutSpecialUpFunc(onSpecialKeyUp);
    glutDisplayFunc(displayFrame);
    glutIdleFunc(idleStep);
    glutKeyboardFunc(onKeyDown);
    glutKeyboardUpFunc(onKeyUp);
    glutReshapeFunc(onReshape);
    glutMouseFunc(onMouseButton);
    glutMotionFunc(onMouseDrag);
    glutPassiveMotionFunc(onMouseMove);
    glutMouseWheelFunc(onMouseWheel);
    windowCreated();

    startUp();
    takeOverWindowCallbacks();
    beginRun();
    glutMainLoop();
    return 0;
}
