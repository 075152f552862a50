// lookAt against Mesa's gluLookAt, read back from the model-view matrix.
#include <cmath>

#include <GL/glew.h>
#include <GL/glu.h>

#include <gtest/gtest.h>

#include "math/Matrix4.h"
#include "support/GlContext.h"

namespace {

Matrix4 gluReference(const Vector3& center, const Vector3& eye, const Vector3& up) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, center.x, center.y, center.z, up.x, up.y, up.z);
    Matrix4 m;
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

}  // namespace

TEST(LookAt, MatchesGluLookAtForAssortedViews) {
    GlContext gl;
    struct View {
        Vector3 center, eye, up;
    };
    const View views[] = {
        {{0, 0, 0}, {0, 0, 10}, {0, 1, 0}},
        {{220, -15, -470}, {180, 10, -430}, {0, 1, 0}},
        {{-3, 4, 5}, {10, -2, 7}, {0.2f, 1, -0.3f}},
        {{0, 0, 0}, {0, 50, 0.01f}, {0, 1, 0}},
        {{5, 5, 5}, {-100, 30, 80}, {0, 0, 1}},
    };
    for (const View& v : views) {
        const Matrix4 ours = lookAt(v.center, v.eye, v.up);
        const Matrix4 reference = gluReference(v.center, v.eye, v.up);
        for (int i = 0; i < 16; ++i) {
            const float tolerance = 1e-4f * (1.0f + std::fabs(reference[i]));
            EXPECT_NEAR(ours[i], reference[i], tolerance) << "float " << i;
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
