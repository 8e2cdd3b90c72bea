// The D3DX matrix builders against values worked out independently.
#include <d3dx9.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectMatrix(const D3DXMATRIX& m, const float (&expected)[16]) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m.m[i / 4][i % 4], expected[i], 1e-5f) << "element " << i;
}

// Row vector times matrix.
D3DXVECTOR3 apply(const D3DXVECTOR3& p, const D3DXMATRIX& m) {
    return D3DXVECTOR3(p.x * m._11 + p.y * m._21 + p.z * m._31 + m._41,
                       p.x * m._12 + p.y * m._22 + p.z * m._32 + m._42,
                       p.x * m._13 + p.y * m._23 + p.z * m._33 + m._43);
}

}  // namespace

TEST(D3dxMath, PerspectiveWithAQuarterPiFieldOfView) {
    D3DXMATRIX m;
    D3DXMatrixPerspectiveFovLH(&m, 0.7853982f, 1.33f, 1.0f, 3000.0f);
    // cot(pi/8) = 1 + sqrt(2)
    const float y = 2.4142136f, x = y / 1.33f, q = 3000.0f / 2999.0f;
    expectMatrix(m, {x, 0, 0, 0, 0, y, 0, 0, 0, 0, q, 1, 0, 0, -q, 0});
}

TEST(D3dxMath, LookAtPutsTheTargetStraightAhead) {
    D3DXMATRIX m;
    D3DXVECTOR3 eye(0, 1000, 0), at(500, 0, 500), up(0, 1, 0);
    D3DXMatrixLookAtLH(&m, &eye, &at, &up);
    const D3DXVECTOR3 target = apply(at, m);
    EXPECT_NEAR(target.x, 0, 1e-3f);
    EXPECT_NEAR(target.y, 0, 1e-3f);
    EXPECT_NEAR(target.z, std::sqrt(500.0f * 500 * 2 + 1000.0f * 1000), 1e-2f);
    const D3DXVECTOR3 origin = apply(eye, m);
    EXPECT_NEAR(origin.x, 0, 1e-3f);
    EXPECT_NEAR(origin.z, 0, 1e-3f);
}

TEST(D3dxMath, LookAtAlongZIsATranslation) {
    D3DXMATRIX m;
    D3DXVECTOR3 eye(1, 2, 3), at(1, 2, 10), up(0, 1, 0);
    D3DXMatrixLookAtLH(&m, &eye, &at, &up);
    expectMatrix(m, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1});
}

TEST(D3dxMath, LookAtFromAboveTurnsUpIntoScreenUp) {
    D3DXMATRIX m;
    D3DXVECTOR3 eye(0, 10, 0), at(0, 0, 0), up(0, 0, 1);
    D3DXMatrixLookAtLH(&m, &eye, &at, &up);
    // x stays right, +z becomes up, -y becomes forward.
    expectMatrix(m, {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 10, 1});
}

TEST(D3dxMath, RotationsTurnTheWayTheSdkDocuments) {
    D3DXMATRIX y, x;
    D3DXMatrixRotationY(&y, D3DX_PI / 2);
    const D3DXVECTOR3 a = apply(D3DXVECTOR3(0, 0, 1), y), b = apply(D3DXVECTOR3(1, 0, 0), y);
    EXPECT_NEAR(a.x, 1, 1e-6f);
    EXPECT_NEAR(a.z, 0, 1e-6f);
    EXPECT_NEAR(b.z, -1, 1e-6f);
    D3DXMatrixRotationX(&x, D3DX_PI / 2);
    const D3DXVECTOR3 c = apply(D3DXVECTOR3(0, 1, 0), x);  // y turns towards +z
    EXPECT_NEAR(c.z, 1, 1e-6f);
    EXPECT_NEAR(c.y, 0, 1e-6f);
}

// Angles come back after others, more of them than are kept: each matrix
// still holds exactly the cosine and sine of its own angle.
TEST(D3dxMath, RotationsByReturningAnglesAreExact) {
    const float angles[] = {0.0f, 1.57f, 3.14f, 4.71f, -1.57f, 0.5f, 1.57f, 0.0f};
    for (int round = 0; round < 3; ++round)
        for (float angle : angles) {
            D3DXMATRIX x, y;
            D3DXMatrixRotationY(&y, angle);
            D3DXMatrixRotationX(&x, -angle);
            EXPECT_EQ(y._11, std::cos(angle));
            EXPECT_EQ(y._31, std::sin(angle));
            EXPECT_EQ(y._13, -std::sin(angle));
            EXPECT_EQ(x._22, std::cos(-angle));
            EXPECT_EQ(x._23, std::sin(-angle));
        }
}

TEST(D3dxMath, MultiplyAppliesTheFirstFactorFirst) {
    D3DXMATRIX t, s, ts, st;
    D3DXMatrixTranslation(&t, 1, 0, 0);
    D3DXMatrixScaling(&s, 2, 2, 2);
    D3DXMatrixMultiply(&st, &s, &t);
    D3DXMatrixMultiply(&ts, &t, &s);
    EXPECT_NEAR(apply(D3DXVECTOR3(1, 0, 0), st).x, 3, 1e-6f);
    EXPECT_NEAR(apply(D3DXVECTOR3(1, 0, 0), ts).x, 4, 1e-6f);
    EXPECT_TRUE(s * t == st);
    D3DXMatrixMultiply(&s, &s, &t);  // the output may be an input
    EXPECT_TRUE(s == st);
}
