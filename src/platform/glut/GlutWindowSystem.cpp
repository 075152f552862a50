#include "platform/glut/GlutWindowSystem.h"

#include <GL/freeglut.h>

namespace {

void hideCursor() { glutSetCursor(GLUT_CURSOR_NONE); }

void drawBitmapText(const char* text) {
    for (const char* c = text; *c; ++c) glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, *c);
}

}  // namespace

const WindowSystem kGlutWindowSystem = {
    "GLUT", true, glutSwapBuffers, glutPostRedisplay, glutLeaveMainLoop, hideCursor, drawBitmapText, glutSolidCube,
};
