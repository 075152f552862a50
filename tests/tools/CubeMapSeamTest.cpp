#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "environment/CubeMap.h"
#include "environment/Environment.h"
#include "math/Vector3.h"
#include "support/GlContext.h"
#include "support/ImageLibrary.h"

namespace {

const Vector3 kAxes[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
const int kSamplesPerEdge = 64;

// Draws one point per direction, sampled from the cube map, and reads them back.
std::vector<unsigned char> sampleDirections(const GlContext& gl, const std::vector<Vector3>& directions) {
    glViewport(0, 0, gl.width, gl.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, gl.width, 0, gl.height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_CUBE_MAP);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_POINTS);
    for (size_t i = 0; i < directions.size(); ++i) {
        glTexCoord3f(directions[i].x, directions[i].y, directions[i].z);
        glVertex2f(static_cast<float>(i % gl.width) + 0.5f, static_cast<float>(i / gl.width) + 0.5f);
    }
    glEnd();
    glDisable(GL_TEXTURE_CUBE_MAP);
    return gl.readPixels();
}

int difference(const std::vector<unsigned char>& pixels, size_t a, size_t b) {
    int sum = 0;
    for (int c = 0; c < 3; ++c) sum += std::abs(pixels[4 * a + c] - pixels[4 * b + c]);
    return sum;
}

TEST(CubeMapSeams, FacesAgreeAcrossEveryEdgeAsGlSamplesThem) {
    GlContext gl(128, 64);
    initialiseImageLibrary();
    Environment sky;  // the staged faces, loaded as the program loads them
    loadCubeMap(sky);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    GLint side = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_WIDTH, &side);
    ASSERT_GT(side, 8);
    const float quarterTexel = 0.5f / static_cast<float>(side);

    // For each of the 12 edges: the edge texel on either face, and for
    // comparison two neighbouring texels inside the first face.
    std::vector<Vector3> directions;
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b) {
            if (dot(kAxes[a], kAxes[b]) != 0.0f) continue;
            const Vector3 along = cross(kAxes[a], kAxes[b]);
            for (int k = 0; k < kSamplesPerEdge; ++k) {
                const float s = -0.95f + 1.9f * (k + 0.5f) / kSamplesPerEdge;
                directions.push_back(kAxes[a] + kAxes[b] * (1.0f - quarterTexel) + along * s);
                directions.push_back(kAxes[a] * (1.0f - quarterTexel) + kAxes[b] + along * s);
                directions.push_back(kAxes[a] + kAxes[b] * (1.0f - 5.0f * quarterTexel) + along * s);
            }
        }
    ASSERT_LE(directions.size(), static_cast<size_t>(gl.width * gl.height));
    const std::vector<unsigned char> pixels = sampleDirections(gl, directions);

    double across = 0.0, within = 0.0, brightness = 0.0;
    int worst = 0;
    const size_t samples = directions.size() / 3;
    for (size_t i = 0; i < samples; ++i) {
        const int seam = difference(pixels, 3 * i, 3 * i + 1);
        across += seam;
        within += difference(pixels, 3 * i, 3 * i + 2);
        worst = std::max(worst, seam);
        brightness += pixels[4 * 3 * i] + pixels[4 * 3 * i + 1] + pixels[4 * 3 * i + 2];
    }
    EXPECT_GT(brightness / samples, 3.0) << "the sky should not be black along the edges";
    EXPECT_LE(across / samples, 1.5 * within / samples + 3.0) << "edges differ more than neighbouring texels";
    EXPECT_LT(worst, 200);
}

}  // namespace
