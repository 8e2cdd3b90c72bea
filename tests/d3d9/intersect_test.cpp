// D3DXIntersect on a loaded mesh: the nearest face along the ray, from
// either side, with its parameter, barycentric coordinates and face index.
#include "device_fixture.h"

namespace {

struct Ray {
    D3DXVECTOR3 from, along;
};

}  // namespace

// no_materials.x: the one triangle (0, 0, 0), (0, 0, 1), (1, 0, 0) at y = 0.
TEST_F(DeviceTest, IntersectFindsTheFaceFromEitherSideAndOnlyAheadOfTheRay) {
    ID3DXMesh* mesh = nullptr;
    ASSERT_EQ(D3DXLoadMeshFromXA(dataPath("no_materials.x").c_str(), D3DXMESH_SYSTEMMEM, device_,
                                 nullptr, nullptr, nullptr, nullptr, &mesh),
              D3D_OK);
    BOOL hit = FALSE;
    DWORD face = 99, count = 99;
    FLOAT u = 0, v = 0, t = 0;
    const Ray down = {D3DXVECTOR3(0.2f, 5, 0.3f), D3DXVECTOR3(0, -1, 0)};
    ASSERT_EQ(D3DXIntersect(mesh, &down.from, &down.along, &hit, &face, &u, &v, &t, nullptr,
                            &count),
              D3D_OK);
    EXPECT_TRUE(hit);
    EXPECT_EQ(face, 0u);
    EXPECT_EQ(count, 1u);
    EXPECT_FLOAT_EQ(t, 5.0f);
    EXPECT_FLOAT_EQ(u, 0.3f);  // towards the second corner, along z
    EXPECT_FLOAT_EQ(v, 0.2f);  // towards the third, along x

    // From below, with a direction of length 2: t counts in its lengths.
    const Ray up = {D3DXVECTOR3(0.2f, -3, 0.3f), D3DXVECTOR3(0, 2, 0)};
    ASSERT_EQ(D3DXIntersect(mesh, &up.from, &up.along, &hit, nullptr, nullptr, nullptr, &t,
                            nullptr, nullptr),
              D3D_OK);
    EXPECT_TRUE(hit);
    EXPECT_FLOAT_EQ(t, 1.5f);

    const Ray misses[] = {{D3DXVECTOR3(0.8f, 5, 0.8f), D3DXVECTOR3(0, -1, 0)},  // beside it
                          {D3DXVECTOR3(0.2f, 5, 0.3f), D3DXVECTOR3(0, 1, 0)},   // behind the ray
                          {D3DXVECTOR3(0.2f, 5, 0.3f), D3DXVECTOR3(1, 0, 0)}};  // parallel
    for (const Ray& ray : misses) {
        hit = TRUE;
        ASSERT_EQ(D3DXIntersect(mesh, &ray.from, &ray.along, &hit, nullptr, nullptr, nullptr, &t,
                                nullptr, &count),
                  D3D_OK);
        EXPECT_FALSE(hit);
        EXPECT_EQ(count, 0u);
    }
    ID3DXBuffer* allHits = nullptr;
    EXPECT_EQ(D3DXIntersect(mesh, &down.from, &down.along, &hit, nullptr, nullptr, nullptr, &t,
                            &allHits, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXIntersect(nullptr, &down.from, &down.along, &hit, nullptr, nullptr, nullptr, &t,
                            nullptr, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(mesh->Release(), 0u);
}
