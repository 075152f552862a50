#include "support/ExpectNear.h"

#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

namespace {

void expectNear(const float* actual, const float* expected, int count, float tolerance) {
    bool near = true;
    for (int i = 0; i < count; ++i) near = near && std::fabs(actual[i] - expected[i]) <= tolerance;
    if (near) return;
    std::ostringstream message;
    message << "not within " << tolerance << ":\n  actual  ";
    for (int i = 0; i < count; ++i) message << " " << actual[i];
    message << "\n  expected";
    for (int i = 0; i < count; ++i) message << " " << expected[i];
    ADD_FAILURE() << message.str();
}

}  // namespace

void expectNear(const Vector3& actual, const Vector3& expected, float tolerance) {
    const float a[3] = {actual.x, actual.y, actual.z}, e[3] = {expected.x, expected.y, expected.z};
    expectNear(a, e, 3, tolerance);
}

void expectNear(const Matrix4& actual, const Matrix4& expected, float tolerance) {
    expectNear(actual.data(), expected.data(), 16, tolerance);
}
