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

}  // namespace
