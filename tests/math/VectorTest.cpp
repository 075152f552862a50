#include <cmath>

#include <gtest/gtest.h>

#include "math/Vector3.h"
#include "math/Vector4.h"

TEST(Vector3, NormalizeScalesToUnitLengthAndKeepsZero) {
    Vector3 v(3.0f, 0.0f, 4.0f);
    normalize(v);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.0f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);

    Vector3 zero;
    normalize(zero);
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
    EXPECT_FALSE(std::isnan(zero.x));
}

TEST(Vector3, CrossFollowsTheRightHandRule) {
    const Vector3 z = cross(Vector3(1, 0, 0), Vector3(0, 1, 0));
    EXPECT_EQ(z.x, 0.0f);
    EXPECT_EQ(z.y, 0.0f);
    EXPECT_EQ(z.z, 1.0f);
    const Vector3 c = cross(Vector3(1, 2, 3), Vector3(4, 5, 6));
    EXPECT_FLOAT_EQ(c.x, -3.0f);
    EXPECT_FLOAT_EQ(c.y, 6.0f);
    EXPECT_FLOAT_EQ(c.z, -3.0f);
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
