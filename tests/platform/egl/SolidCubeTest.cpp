#include <vector>

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "platform/egl/SolidCube.h"
#include "support/GlContext.h"

namespace {

// What OpenGL makes of a cube drawn by `draw`, lit and turned: every triangle
// with each vertex's window position and colour, in drawing order.
std::vector<GLfloat> feedbackOf(void (*draw)(double), double edge) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4, 4, -4, 4, -4, 4);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(30.0f, 1.0f, 2.0f, 0.5f);
    const GLfloat direction[] = {0.3f, 0.5f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    std::vector<GLfloat> feedback(4096);
    glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_3D_COLOR, feedback.data());
    glRenderMode(GL_FEEDBACK);
    draw(edge);
    feedback.resize(static_cast<std::size_t>(glRenderMode(GL_RENDER)));
    glDisable(GL_LIGHTING);
    return feedback;
}

}  // namespace

// The headless sky box's cube is the toolkit's, vertex for vertex and normal for normal.
TEST(SolidCube, DrawsTheToolkitsCubeInItsOrder) {
    GlContext gl;
    for (const double edge : {1.0, 3.7}) {
        const std::vector<GLfloat> toolkit = feedbackOf(glutSolidCube, edge);
        ASSERT_EQ(toolkit.size(), 12u * (2 + 3 * 7)) << "12 triangles of 3 vertices with colour";
        EXPECT_EQ(feedbackOf(drawSolidCube, edge), toolkit) << edge;
    }
}
