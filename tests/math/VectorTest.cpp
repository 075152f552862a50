#include <gtest/gtest.h>

#include "math/Vector3.h"
#include "math/Vector4.h"
#include "support/ExpectNear.h"

TEST(Vector3, NormalizeScalesToUnitLengthAndKeepsZero) {
    Vector3 v(3.0f, 0.0f, 4.0f);
    normalize(v);
    expectNear(v, Vector3(0.6f, 0.0f, 0.8f), 1e-7f);
    Vector3 zero;
    normalize(zero);
    expectNear(zero, Vector3(0, 0, 0), 0.0f);  // not NaN
}

TEST(Vector3, CrossFollowsTheRightHandRule) {
    expectNear(cross(Vector3(1, 0, 0), Vector3(0, 1, 0)), Vector3(0, 0, 1), 0.0f);
    expectNear(cross(Vector3(1, 2, 3), Vector3(4, 5, 6)), Vector3(-3, 6, -3), 0.0f);
}

TEST(Vector4, IndexBeyondZGivesW) {
    Vector4 v(1, 2, 3, 4);
    EXPECT_EQ(v[0], 1.0f);
    EXPECT_EQ(v[1], 2.0f);
    EXPECT_EQ(v[2], 3.0f);
    EXPECT_EQ(v[3], 4.0f);
    EXPECT_EQ(v[7], 4.0f);
    EXPECT_EQ(v[-1], 4.0f);
    v[9] = 5.0f;
    EXPECT_EQ(v.w, 5.0f);
}
