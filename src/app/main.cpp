#include <iostream>

#include <GL/glew.h>
#include <GL/freeglut.h>

#include "app/AppState.h"
#include "app/DisplayFrame.h"
#include "app/IdleStep.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "app/StartUp.h"
#include "platform/os/KeyRepeat.h"
#include "platform/os/WindowIdentity.h"

int main(int argc, char** argv) {
    std::cout << "[INFO] Initializing GLUT ..." << std::endl;
    glutInit(&argc, argv);
    glutInitWindowSize(appState.scene->windowWidth, appState.scene->windowHeight);
    glutInitWindowPosition(50, 50);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH | GLUT_STENCIL);
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

    startUp();
    glutMainLoop();
    return 0;
}
