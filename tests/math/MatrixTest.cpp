#include <cmath>

#include <gtest/gtest.h>

#include "math/Matrix4.h"
#include "support/ExpectNear.h"

namespace {

Matrix4 fromFloats(const float (&values)[16]) {
    Matrix4 m;
    for (int i = 0; i < 16; ++i) m[i] = values[i];
    return m;
}

}  // namespace

TEST(Matrix4, LayoutIsColumnMajorWithTranslationInTwelveToFourteen) {
    const Matrix4 t = translation(Vector3(1, 2, 3));
    expectNear(t, fromFloats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1}), 0.0f);
    EXPECT_EQ(t.at(0, 3), 1.0f);
    expectNear(scaling(2.5f), fromFloats({2.5f, 0, 0, 0, 0, 2.5f, 0, 0, 0, 0, 2.5f, 0, 0, 0, 0, 1}), 0.0f);
}

TEST(Matrix4, XRotationTurnsYTowardsZ) {
    const float a = 0.3f;
    const float c = std::cos(a), s = std::sin(a);
    expectNear(xRotation(a), fromFloats({1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1}), 1e-7f);
    EXPECT_GT(transformPoint(xRotation(a), Vector4(0, 1, 0, 1)).z, 0.0f);
}

TEST(Matrix4, ProductAppliesTheRightOperandFirst) {
    const Vector3 t(4, -2, 7);
    const float a = 0.7f;
    const Matrix4 m = product(translation(t), xRotation(a));
    expectNear(transformPoint(m, Vector4(0, 0, 0, 1)).xyz(), t, 0.0f);
    expectNear(transformPoint(m, Vector4(0, 1, 0, 1)).xyz(), t + Vector3(0, std::cos(a), std::sin(a)), 1e-6f);
}

TEST(Matrix4, MultiplyByItselfUsesATemporary) {
    Matrix4 m = translation(Vector3(1, 2, 3));
    m.multiply(m);
    expectNear(m, translation(Vector3(2, 4, 6)), 0.0f);

    Matrix4 r = xRotation(0.25f);
    r.multiply(r);
    expectNear(r, xRotation(0.5f), 1e-6f);
}

TEST(Matrix4, TransposeSwapsRowsAndColumns) {
    const float values[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    Matrix4 m = fromFloats(values);
    m.transpose();
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(m.at(r, c), values[4 * r + c]);
}

TEST(Matrix4, InvertUndoesTranslationRotationAndScale) {
    Matrix4 t = translation(Vector3(3, -4, 5));
    t.invert();
    expectNear(t, translation(Vector3(-3, 4, -5)), 1e-6f);

    Matrix4 r = xRotation(1.1f);
    r.invert();
    expectNear(r, xRotation(-1.1f), 1e-6f);

    const Matrix4 model = product(product(translation(Vector3(220, -15, -470)), xRotation(0.4f)), scaling(6.1f));
    Matrix4 inverse = model;
    inverse.invert();
    expectNear(product(model, inverse), Matrix4(), 2e-4f);
}

TEST(Matrix4, SingularMatrixInvertsToIdentity) {
    Matrix4 zeroColumn = translation(Vector3(1, 2, 3));
    zeroColumn.columns[1] = Vector4(0, 0, 0, 0);
    zeroColumn.invert();
    expectNear(zeroColumn, Matrix4(), 0.0f);

    Matrix4 zero;
    for (int i = 0; i < 16; ++i) zero[i] = 0.0f;
    zero.invert();
    expectNear(zero, Matrix4(), 0.0f);
}

TEST(Matrix4, InvertsWhenPivotCandidatesTie) {
    // Column 0 holds +1 on the diagonal and -1 below it: equal magnitudes.
    const float values[16] = {1, -1, 0, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Matrix4 m = fromFloats(values);
    m.invert();
    // [[1, 1], [-1, 1]]^-1 = 0.5 * [[1, -1], [1, 1]]
    EXPECT_FLOAT_EQ(m.at(0, 0), 0.5f);
    EXPECT_FLOAT_EQ(m.at(0, 1), -0.5f);
    EXPECT_FLOAT_EQ(m.at(1, 0), 0.5f);
    EXPECT_FLOAT_EQ(m.at(1, 1), 0.5f);
    EXPECT_FLOAT_EQ(m.at(2, 2), 1.0f);
}

TEST(Matrix4, InvertDividesEachPivotRowByThePivot) {
    // [[3, 5], [0, 1]]^-1 = [[1/3, -5/3], [0, 1]]; 5 * (1/3) would differ from 5 / 3 in the last bit.
    const float values[16] = {3, 0, 0, 0, 5, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    Matrix4 m = fromFloats(values);
    m.invert();
    EXPECT_EQ(m.at(0, 0), 1.0f / 3.0f);
    EXPECT_EQ(m.at(0, 1), -(5.0f / 3.0f));
    EXPECT_EQ(m.at(1, 1), 1.0f);
}

TEST(Matrix4, FromAxesPutsTheAxesInColumns) {
    const Matrix4 m = fromAxes(Vector3(1, 2, 3), Vector3(4, 5, 6), Vector3(7, 8, 9));
    const float expected[16] = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 0, 0, 0, 1};
    expectNear(m, fromFloats(expected), 0.0f);
}

TEST(Matrix4, LookAtWithEyeOnCenterGivesZeroRotation) {
    const Matrix4 view = lookAt(Vector3(1, 2, 3), Vector3(1, 2, 3), Vector3(0, 1, 0));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(view.at(r, c), 0.0f) << r << "," << c;
    EXPECT_EQ(view[15], 1.0f);
}
