// The quads' shapes, their front sides and how the field orientations turn
// the raised edges and corners, checked from the vertex data alone.
#include <gtest/gtest.h>

#include <cmath>

#include "quads.h"
#include "transforms.h"

namespace {

D3DXVECTOR3 position(const QuadVertex& v) {
    return D3DXVECTOR3(v.x, v.y, v.z);
}

D3DXVECTOR3 cross(D3DXVECTOR3 a, D3DXVECTOR3 b) {
    return D3DXVECTOR3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

D3DXVECTOR3 minus(D3DXVECTOR3 a, D3DXVECTOR3 b) {
    return D3DXVECTOR3(a.x - b.x, a.y - b.y, a.z - b.z);
}

float dot(D3DXVECTOR3 a, D3DXVECTOR3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

TEST(QuadGeometry, EveryFanTriangleIsClockwiseSeenFromTheNormalSide) {
    // Left-handed with clockwise front faces: (v2 - v1) x (v3 - v1) points
    // towards the viewer who sees the triangle clockwise.
    for (int q = 0; q < kQuadCount; ++q) {
        const QuadVertex* v = quadVertices(q);
        ASSERT_NE(v, nullptr);
        D3DXVECTOR3 normal(v[0].nx, v[0].ny, v[0].nz);
        for (int t = 1; t <= 2; ++t) {
            D3DXVECTOR3 a = position(v[0]), b = position(v[t]), c = position(v[t + 1]);
            EXPECT_GT(dot(cross(minus(b, a), minus(c, a)), normal), 0.0f)
                << "quad " << q << " triangle " << t;
        }
        for (int i = 0; i < 4; ++i) EXPECT_EQ(v[i].colour, 0xFFFFFFFFu);
    }
}

TEST(QuadGeometry, ImagesAreUprightAndUnmirroredFromTheFront) {
    // Billboard seen from its front (from -z, +x to the right): u grows to
    // the right and v = 0 along the top.
    const QuadVertex* b = quadVertices(BillboardQuad);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(b[i].u, b[i].x > 0 ? 1.0f : 0.0f);
        EXPECT_EQ(b[i].v, b[i].y > 0 ? 0.0f : 1.0f);
    }
    // Level ground seen from above with +z up the screen: v = 0 at +z.
    const QuadVertex* f = quadVertices(FlatQuad);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f[i].u, f[i].x > 0 ? 1.0f : 0.0f);
        EXPECT_EQ(f[i].v, f[i].z > 0 ? 0.0f : 1.0f);
        EXPECT_EQ(f[i].y, 0.0f);
    }
    EXPECT_EQ(quadVertices(kQuadCount), nullptr);
    EXPECT_EQ(quadVertices(-1), nullptr);
}

// Height of a quad after the field pass's scale and turn, at the vertex that
// lands nearest the given ground point.
float heightNear(int quad, float angle, float x, float z) {
    D3DXMATRIX world = composeMatrices(rotationYMatrix(angle), scalingMatrix(10, 1, 10));
    const QuadVertex* v = quadVertices(quad);
    float best = 1e30f, height = 0;
    for (int i = 0; i < 4; ++i) {
        float wx = v[i].x * world._11 + v[i].z * world._31;
        float wz = v[i].x * world._13 + v[i].z * world._33;
        float d = (wx - x) * (wx - x) + (wz - z) * (wz - z);
        if (d < best) {
            best = d;
            height = v[i].y;
        }
    }
    return height;
}

TEST(QuadGeometry, OrientationsTurnSlopesAndCornersAsTheFieldTableSays) {
    const float angles[4] = {0.0f, 1.57f, 3.14f, 4.71f};
    // High edge of a slope: +z, +x, -z, -x.
    const float edge[4][2] = {{0, 50}, {50, 0}, {0, -50}, {-50, 0}};
    // Raised corner of Corner 1 (the low corner of Corner 2).
    const float corner[4][2] = {{50, 50}, {50, -50}, {-50, -50}, {-50, 50}};
    for (int o = 0; o < 4; ++o) {
        float ex = edge[o][0], ez = edge[o][1];
        // Both ends of the high edge are at 25, both of the opposite edge at 0.
        EXPECT_EQ(heightNear(SlopeQuad, angles[o], ex + ez, ez + ex), 25.0f) << o;
        EXPECT_EQ(heightNear(SlopeQuad, angles[o], ex - ez, ez - ex), 25.0f) << o;
        EXPECT_EQ(heightNear(SlopeQuad, angles[o], -ex - ez, -ez - ex), 0.0f) << o;
        float cx = corner[o][0], cz = corner[o][1];
        EXPECT_EQ(heightNear(Corner1Quad, angles[o], cx, cz), 25.0f) << o;
        EXPECT_EQ(heightNear(Corner1Quad, angles[o], -cx, cz), 0.0f) << o;
        EXPECT_EQ(heightNear(Corner2Quad, angles[o], cx, cz), 0.0f) << o;
        EXPECT_EQ(heightNear(Corner2Quad, angles[o], cx, -cz), 25.0f) << o;
    }
}

}  // namespace
