#include <algorithm>

#include <GL/glew.h>

#include "spline/Spline.h"

namespace {

void color(const ColorBytes& c) { glColor4ub(c.r, c.g, c.b, c.a); }

void vertex(const Vector3& v) { glVertex3f(v.x, v.y, v.z); }

// A display step below 1 shows every sample.
int stepOf(int modulo) { return std::max(modulo, 1); }

void drawControlPoints(const Spline& spline) {
    if (spline.displayControlMode == 2) {
        glBegin(GL_LINE_STRIP);
        for (const ControlPoint& point : spline.controlPoints) {
            color(spline.controlColor);
            vertex(point.position);
        }
        glEnd();
    }
    glPointSize(3.0f);
    glBegin(GL_POINTS);
    for (const ControlPoint& point : spline.controlPoints) {
        color(spline.controlColor);
        vertex(point.position);
    }
    glEnd();
    glPointSize(1.0f);
}

void drawCurve(const Spline& spline, int count) {
    if (spline.displayCurveMode == 2) {
        glBegin(GL_LINE_STRIP);
    } else {
        glPointSize(2.0f);
        glBegin(GL_POINTS);
    }
    const int step = stepOf(spline.displayCurveModulo);
    for (int k = 0; k < count; k += step) {
        color(spline.curveColor);
        vertex(spline.samples[k].position);
    }
    glEnd();
}

// Pass 1 draws the normals, pass 2 the tangents, pass 3 the binormals.
void drawFrameLines(const Spline& spline, int count, int pass) {
    const ColorBytes& lineColor =
        pass == 1 ? spline.normalColor : pass == 2 ? spline.tangentColor : spline.binormalColor;
    Vector3 CurveSample::*axis =
        pass == 1 ? &CurveSample::normal : pass == 2 ? &CurveSample::tangent : &CurveSample::binormal;
    const int step = stepOf(spline.displayOrientationModulo);
    glBegin(GL_LINES);
    for (int k = 0; k < count; k += step) {
        const CurveSample& sample = spline.samples[k];
        color(lineColor);
        vertex(sample.position);
        vertex(sample.position + spline.displayOrientationLen * (sample.*axis));
    }
    glEnd();
}

}  // namespace

void Spline::draw() {
    // The overlay shows its own colours: the frame leaves lighting and texturing on.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    const int count = std::min(sampleCount, static_cast<int>(samples.size()));
    if (displayControlMode != 0) drawControlPoints(*this);
    if (displayCurveMode != 0) drawCurve(*this, count);
    const int passes = std::min(displayOrientationMode, 3);  // modes above 3 draw all three
    for (int pass = 1; pass <= passes; ++pass) drawFrameLines(*this, count, pass);
    glPopAttrib();
}
