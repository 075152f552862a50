// The debug display read back through OpenGL's feedback mode on Mesa.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "spline/Spline.h"
#include "spline/SplineFiles.h"
#include "support/Scratch.h"
#include "support/GlContext.h"

namespace {

struct Primitive {
    bool line;
    float x;        // window x of the first vertex
    float rgba[4];  // colour of the first vertex
};

// Draws the spline in feedback mode under a +-1000 orthographic view.
std::vector<Primitive> feedback(Spline& spline) {
    std::vector<GLfloat> buffer(1 << 16);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1000, 1000, -1000, 1000, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    spline.draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Primitive> primitives;
    for (GLint i = 0; i < used;) {
        const bool line = buffer[i++] != GL_POINT_TOKEN;
        const GLfloat* v = &buffer[i];
        primitives.push_back({line, v[0], {v[3], v[4], v[5], v[6]}});
        i += line ? 14 : 7;
    }
    return primitives;
}

int count(const std::vector<Primitive>& drawn, bool line, unsigned char r, unsigned char g, unsigned char b) {
    int n = 0;
    for (const Primitive& p : drawn) {
        n += p.line == line && std::lround(p.rgba[0] * 255) == r && std::lround(p.rgba[1] * 255) == g &&
             std::lround(p.rgba[2] * 255) == b && p.rgba[3] == 1.0f;
    }
    return n;
}

// 63 zig-zag control points; one sample per segment gives 60 samples.
Spline zigZag(const std::string& settings) {
    std::string points;
    for (int i = 0; i < 63; ++i) {
        points += "C: " + std::to_string(i * 10) + " " + std::to_string(i % 2 * 10) + " " + std::to_string(i % 3) + "\n";
    }
    return Spline(writeScratchFile("draw.sdf", splineText("control_count 63\ncurve_subdivision 1\n" + settings, points)));
}

float pointSize() {
    GLfloat size = 0;
    glGetFloatv(GL_POINT_SIZE, &size);
    return size;
}
}  // namespace

TEST(SplineDraw, PointsPolygonAndFramesInTheirColoursAndSteps) {
    GlContext context;
    Spline spline = zigZag("display_curve_mode 1\ndisplay_curve_modulo 5\ndisplay_orientation_modulo 10\n"
                           "display_orientation_len 3\n");
    std::vector<Primitive> drawn = feedback(spline);
    ASSERT_EQ(drawn.size(), 12u);
    EXPECT_EQ(count(drawn, false, 0, 255, 0), 12);  // samples 0, 5, ..., 55
    EXPECT_NEAR(drawn[11].x, (spline.samples[55].position.x / 1000.0f + 1.0f) * 0.5f * context.width, 1e-3f);
    EXPECT_EQ(pointSize(), 2.0f);

    spline.displayCurveMode = 0;
    spline.displayControlMode = 2;
    spline.displayOrientationMode = 2;
    drawn = feedback(spline);
    EXPECT_EQ(count(drawn, true, 255, 0, 0), 62);  // the control polygon
    EXPECT_EQ(count(drawn, false, 255, 0, 0), 63);
    EXPECT_EQ(count(drawn, true, 255, 0, 255), 6);  // normals at samples 0, 10, ..., 50
    EXPECT_EQ(count(drawn, true, 128, 0, 255), 6);  // tangents
    EXPECT_EQ(count(drawn, true, 0, 255, 0), 0);    // no binormals yet
    EXPECT_EQ(drawn.size(), 62u + 63u + 12u);
    EXPECT_EQ(pointSize(), 1.0f);

    spline.displayControlMode = 0;
    spline.displayOrientationMode = 7;  // beyond three: all three frame vectors
    spline.displayOrientationModulo = 0;  // a step below one shows every sample
    EXPECT_EQ(count(feedback(spline), true, 0, 255, 0), 60);
}
