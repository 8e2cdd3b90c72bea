#include <gtest/gtest.h>

#include <cmath>

#include "transforms.h"

namespace {

D3DXVECTOR3 apply(const D3DXMATRIX& m, D3DXVECTOR3 p) {
    float w = p.x * m._14 + p.y * m._24 + p.z * m._34 + m._44;
    return D3DXVECTOR3((p.x * m._11 + p.y * m._21 + p.z * m._31 + m._41) / w,
                       (p.x * m._12 + p.y * m._22 + p.z * m._32 + m._42) / w,
                       (p.x * m._13 + p.y * m._23 + p.z * m._33 + m._43) / w);
}

::testing::AssertionResult pointNear(D3DXVECTOR3 actual, float x, float y, float z,
                                     float tolerance = 1e-4f) {
    if (std::fabs(actual.x - x) <= tolerance && std::fabs(actual.y - y) <= tolerance &&
        std::fabs(actual.z - z) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got (" << actual.x << ", " << actual.y << ", " << actual.z << "), expected (" << x
           << ", " << y << ", " << z << ")";
}

TEST(TransformHelpers, ComposeAppliesItsSecondOperandFirst) {
    D3DXVECTOR3 p(1, 0, 0);
    EXPECT_TRUE(pointNear(
        apply(composeMatrices(translationMatrix(1, 0, 0), scalingMatrix(2, 2, 2)), p), 3, 0, 0));
    EXPECT_TRUE(pointNear(
        apply(composeMatrices(scalingMatrix(2, 2, 2), translationMatrix(1, 0, 0)), p), 4, 0, 0));
}

TEST(TransformHelpers, RotationsTurnTheWayTheRowsSay) {
    const float quarter = 1.5707963f;
    EXPECT_TRUE(pointNear(apply(rotationYMatrix(quarter), D3DXVECTOR3(0, 0, 1)), 1, 0, 0));
    EXPECT_TRUE(pointNear(apply(rotationYMatrix(quarter), D3DXVECTOR3(1, 0, 0)), 0, 0, -1));
    // About x, +y turns towards +z and +z towards -y.
    EXPECT_TRUE(pointNear(apply(rotationXMatrix(quarter), D3DXVECTOR3(0, 1, 0)), 0, 0, 1));
    EXPECT_TRUE(pointNear(apply(rotationXMatrix(quarter), D3DXVECTOR3(0, 0, 1)), 0, -1, 0));
}

TEST(TransformHelpers, ScaleRotateTranslateInTheWrittenOrder) {
    // A field cell's world matrix: scaled to 100 units, turned a quarter, moved
    // to the centre of cell (2, 3).
    D3DXMATRIX world =
        composeMatrices(translationMatrix(250, 0, 350),
                        composeMatrices(rotationYMatrix(1.5707963f), scalingMatrix(10, 1, 10)));
    EXPECT_TRUE(pointNear(apply(world, D3DXVECTOR3(5, 0, 0)), 250, 0, 300));
    EXPECT_TRUE(pointNear(apply(world, D3DXVECTOR3(0, 7, 5)), 300, 7, 350));
}

TEST(TransformHelpers, IdentityLeavesPointsAlone) {
    EXPECT_TRUE(pointNear(apply(identityMatrix(), D3DXVECTOR3(-3, 8, 2.5f)), -3, 8, 2.5f));
    D3DXMATRIX m = identityMatrix();
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) EXPECT_EQ(m.m[r][c], r == c ? 1.0f : 0.0f);
    }
}

// The projection and view the scene sets, against the published formulas
// worked out here by hand.
TEST(D3dxMatrices, PerspectiveMatchesTheLeftHandedFormula) {
    D3DXMATRIX m;
    D3DXMatrixPerspectiveFovLH(&m, 0.7853982f, 1.33f, 1.0f, 3000.0f);
    const double yScale = 1.0 / std::tan(0.7853982 / 2);  // 2.4142135
    EXPECT_NEAR(m._11, yScale / 1.33, 1e-5);
    EXPECT_NEAR(m._22, yScale, 1e-5);
    EXPECT_NEAR(m._33, 3000.0 / 2999.0, 1e-6);
    EXPECT_EQ(m._34, 1.0f);
    EXPECT_NEAR(m._43, -3000.0 / 2999.0, 1e-6);
    EXPECT_EQ(m._44, 0.0f);
    EXPECT_EQ(m._12, 0.0f);
    EXPECT_EQ(m._21, 0.0f);
    EXPECT_EQ(m._41, 0.0f);
    // Near plane to depth 0, far plane to depth 1.
    EXPECT_NEAR(apply(m, D3DXVECTOR3(0, 0, 1)).z, 0.0f, 1e-6);
    EXPECT_NEAR(apply(m, D3DXVECTOR3(0, 0, 3000)).z, 1.0f, 1e-6);
}

TEST(D3dxMatrices, LookAtPutsTheTargetStraightAhead) {
    D3DXVECTOR3 eye(0, 1000, 0), at(500, 0, 500), up(0, 1, 0);
    D3DXMATRIX m;
    D3DXMatrixLookAtLH(&m, &eye, &at, &up);
    // z axis = normalize(at - eye) = (500, -1000, 500) / 1224.7449.
    const float n = 1224.7449f;
    EXPECT_NEAR(m._13, 500 / n, 1e-5);
    EXPECT_NEAR(m._23, -1000 / n, 1e-5);
    EXPECT_NEAR(m._33, 500 / n, 1e-5);
    // x axis = normalize(cross(up, z)) = (1, 0, -1) / sqrt 2.
    EXPECT_NEAR(m._11, 0.7071068f, 1e-5);
    EXPECT_NEAR(m._21, 0.0f, 1e-6);
    EXPECT_NEAR(m._31, -0.7071068f, 1e-5);
    EXPECT_TRUE(pointNear(apply(m, eye), 0, 0, 0));
    EXPECT_TRUE(pointNear(apply(m, at), 0, 0, n, 1e-3f));
}

TEST(D3dxMatrices, MultiplyIsRowByColumn) {
    D3DXMATRIX a = translationMatrix(1, 2, 3);
    D3DXMATRIX b = scalingMatrix(2, 3, 4);
    D3DXMATRIX m;
    D3DXMatrixMultiply(&m, &a, &b);
    EXPECT_EQ(m._41, 2.0f);
    EXPECT_EQ(m._42, 6.0f);
    EXPECT_EQ(m._43, 12.0f);
    EXPECT_EQ(m._11, 2.0f);
    EXPECT_EQ(m._44, 1.0f);
}

}  // namespace
