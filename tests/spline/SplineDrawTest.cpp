// The debug display read back through OpenGL's feedback mode on Mesa: what is
// drawn, in which colour and at which point size.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "spline/Spline.h"
#include "spline/SplineFiles.h"
#include "support/GlContext.h"

namespace {

struct FedBack {
    GLfloat token;
    float x, y, z;
    float r, g, b, a;
};

// Draws the spline in feedback mode and returns its primitives, one entry per point or line start.
std::vector<FedBack> feedback(Spline& spline) {
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
    std::vector<FedBack> primitives;
    for (GLint i = 0; i < used;) {
        const GLfloat token = buffer[i++];
        const int vertices = token == GL_POINT_TOKEN ? 1 : 2;  // line tokens only otherwise
        const GLfloat* v = &buffer[i];
        primitives.push_back({token, v[0], v[1], v[2], v[3], v[4], v[5], v[6]});
        i += 7 * vertices;
    }
    return primitives;
}

bool isLine(GLfloat token) { return token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN; }

// Points, or lines when `token` is a line token, of one colour.
int countColored(const std::vector<FedBack>& primitives, GLfloat token, float r, float g, float b) {
    int count = 0;
    for (const FedBack& p : primitives) {
        const bool sameKind = isLine(token) ? isLine(p.token) : p.token == token;
        const bool same = sameKind && std::abs(p.r - r) < 0.003f && std::abs(p.g - g) < 0.003f &&
                          std::abs(p.b - b) < 0.003f && p.a == 1.0f;
        if (same) ++count;
    }
    return count;
}

int countLines(const std::vector<FedBack>& primitives) {
    int count = 0;
    for (const FedBack& p : primitives) count += isLine(p.token) ? 1 : 0;
    return count;
}

// Control points in a zig-zag; with one sample per segment, 63 points give 60 samples.
std::string zigZag(int count) {
    std::string points;
    for (int i = 0; i < count; ++i) {
        points += "C: " + std::to_string(i * 10) + " " + std::to_string((i % 2) * 10) + " " +
                  std::to_string((i % 3) * 5) + "\n";
    }
    return points;
}

Spline splineWith(const std::string& settings) {
    return Spline(writeSplineFile("draw.sdf",
                                  splineText("control_count 63\ncurve_subdivision 1\n" + settings, zigZag(63))));
}

class SplineDraw : public testing::Test {
protected:
    GlContext context;
};

}  // namespace

TEST_F(SplineDraw, CurveAsEveryFifthSampleInPointsOfSizeTwo) {
    Spline spline = splineWith("display_curve_mode 1\ndisplay_curve_modulo 5\n");
    ASSERT_EQ(spline.sampleCount, 60);
    const std::vector<FedBack> drawn = feedback(spline);
    ASSERT_EQ(drawn.size(), 12u);
    EXPECT_EQ(countColored(drawn, GL_POINT_TOKEN, 0, 1, 0), 12);
    // Feedback gives window coordinates of the +-1000 orthographic view.
    EXPECT_NEAR(drawn[11].x, (spline.samples[55].position.x / 1000.0f + 1.0f) * 0.5f * context.width, 1e-3f);
    GLfloat size = 0;
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(size, 2.0f);
}

TEST_F(SplineDraw, ControlPolygonAndPointsInTheControlColour) {
    Spline spline = splineWith("display_control_mode 2\n");
    const std::vector<FedBack> drawn = feedback(spline);
    EXPECT_EQ(countLines(drawn), 62);
    EXPECT_EQ(countColored(drawn, GL_POINT_TOKEN, 1, 0, 0), 63);
    EXPECT_EQ(drawn.size(), 125u);
    GLfloat size = 0;
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(size, 1.0f);

    spline.displayControlMode = 1;
    EXPECT_EQ(countLines(feedback(spline)), 0);
}

TEST_F(SplineDraw, OrientationModesDrawNormalsThenTangentsThenBinormals) {
    Spline spline = splineWith("display_orientation_mode 2\ndisplay_orientation_modulo 10\n"
                               "display_orientation_len 3\n");
    std::vector<FedBack> drawn = feedback(spline);
    EXPECT_EQ(countLines(drawn), 12);
    EXPECT_EQ(countColored(drawn, GL_LINE_TOKEN, 1, 0, 1), 6);
    EXPECT_EQ(countColored(drawn, GL_LINE_TOKEN, 128 / 255.0f, 0, 1), 6);

    spline.displayOrientationMode = 3;
    drawn = feedback(spline);
    EXPECT_EQ(countColored(drawn, GL_LINE_TOKEN, 0, 1, 0), 6);
    EXPECT_EQ(countLines(drawn), 18);
    spline.displayOrientationMode = 7;  // beyond the three frame vectors
    EXPECT_EQ(countLines(feedback(spline)), 18);
}

TEST_F(SplineDraw, StepsBelowOneShowEverySample) {
    Spline spline = splineWith("display_curve_mode 2\ndisplay_orientation_mode 1\n");
    ASSERT_EQ(spline.displayCurveModulo, 0);
    const std::vector<FedBack> drawn = feedback(spline);
    EXPECT_EQ(countColored(drawn, GL_LINE_TOKEN, 1, 0, 1), 60);  // a normal at every sample
    EXPECT_EQ(countLines(drawn), 59 + 60);  // the strip through 60 samples and the normals
}
