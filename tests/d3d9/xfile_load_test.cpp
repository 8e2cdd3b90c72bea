// D3DXLoadMeshFromXA on hand-made .x files, text and binary.
#include <cstdio>

#include "device_fixture.h"
#include "platform/d3d9_inspect.h"
#include "xfile_binary.h"

namespace {

enum class Encoding { Text, Binary32, Binary64 };

// The three-material file in the encoding under test.
std::string threeMaterialFile(Encoding encoding) {
    if (encoding == Encoding::Text) return dataPath("three_materials.x");
    const bool doubles = encoding == Encoding::Binary64;
    const std::string path =
        ::testing::TempDir() + (doubles ? "three_materials_bin64.x" : "three_materials_bin.x");
    writeFile(path, binaryXFromText(readTextFile(dataPath("three_materials.x")), doubles));
    return path;
}

struct Loaded {
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* materials = nullptr;
    DWORD count = 0;
    HRESULT result = E_FAIL;
};

Loaded loadMesh(IDirect3DDevice9* device, const std::string& path) {
    Loaded l;
    l.result = D3DXLoadMeshFromXA(path.c_str(), D3DXMESH_SYSTEMMEM, device, nullptr, &l.materials,
                                  nullptr, &l.count, &l.mesh);
    return l;
}

void expectColour(const D3DCOLORVALUE& c, float r, float g, float b, float a) {
    EXPECT_FLOAT_EQ(c.r, r);
    EXPECT_FLOAT_EQ(c.g, g);
    EXPECT_FLOAT_EQ(c.b, b);
    EXPECT_FLOAT_EQ(c.a, a);
}

}  // namespace

class XFileTest : public DeviceTest, public ::testing::WithParamInterface<Encoding> {
protected:
    void TearDown() override {
        if (loaded_.materials) loaded_.materials->Release();
        if (loaded_.mesh) {
            EXPECT_EQ(loaded_.mesh->Release(), 0u);
        }
        DeviceTest::TearDown();
    }
    Loaded loaded_;
};

TEST_P(XFileTest, ThreeMaterialsInFileOrderWithTheirTextureNames) {
    loaded_ = loadMesh(device_, threeMaterialFile(GetParam()));
    ASSERT_EQ(loaded_.result, D3D_OK);
    ASSERT_EQ(loaded_.count, 3u);
    const auto* m = static_cast<const D3DXMATERIAL*>(loaded_.materials->GetBufferPointer());
    expectColour(m[0].MatD3D.Diffuse, 1, 0, 0, 1);
    EXPECT_FLOAT_EQ(m[0].MatD3D.Power, 8);
    expectColour(m[0].MatD3D.Specular, 0.5f, 0.5f, 0.5f, 1);
    expectColour(m[0].MatD3D.Emissive, 0, 0, 0.25f, 1);
    ASSERT_NE(m[0].pTextureFilename, nullptr);
    EXPECT_STREQ(m[0].pTextureFilename, "red.bmp");
    expectColour(m[1].MatD3D.Diffuse, 0, 1, 0, 0.5f);
    ASSERT_NE(m[1].pTextureFilename, nullptr);
    EXPECT_STREQ(m[1].pTextureFilename, "green.tga");
    expectColour(m[2].MatD3D.Diffuse, 0, 0, 1, 1);
    EXPECT_EQ(m[2].pTextureFilename, nullptr);
}

// Ground's faces keep materials 0 and 1; the wall's material becomes 2.
TEST_P(XFileTest, MeshesMergeWithFrameTransformsInLeftHandedCoordinates) {
    loaded_ = loadMesh(device_, threeMaterialFile(GetParam()));
    ASSERT_EQ(loaded_.result, D3D_OK);
    platform::d3d9::MeshContents c;
    ASSERT_TRUE(platform::d3d9::readMesh(loaded_.mesh, &c));
    ASSERT_EQ(c.attributes.size(), 4u);
    EXPECT_EQ(c.attributes, (std::vector<uint32_t>{0, 1, 2, 2}));
    auto corner = [&](size_t face, int k) { return c.vertices[c.indices[face * 3 + k]]; };
    // Face 0 of Ground: (0,0,0), (0,0,1), (1,0,1) doubled by the root frame,
    // in the file's order (clockwise from above) with the file's v.
    const float expected[3][3] = {{0, 0, 0}, {0, 0, 2}, {2, 0, 2}};
    const float uv[3][2] = {{0, 1}, {0, 0}, {1, 0}};
    for (int k = 0; k < 3; ++k) {
        for (int a = 0; a < 3; ++a) EXPECT_NEAR(corner(0, k).position[a], expected[k][a], 1e-5f);
        EXPECT_NEAR(corner(0, k).uv[0], uv[k][0], 1e-5f);
        EXPECT_NEAR(corner(0, k).uv[1], uv[k][1], 1e-5f);
        EXPECT_NEAR(corner(0, k).normal[1], 1, 1e-5f);
    }
    // The wall: moved 5 along z by its frame, then doubled.
    for (size_t face = 2; face < 4; ++face)
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(corner(face, k).position[2], 10, 1e-5f);
            EXPECT_NEAR(corner(face, k).normal[2], -1, 1e-5f);
        }
}

// The vertex buffer reads back only for reading, positions first in each
// vertex, and their box is the box of the merged mesh.
TEST_P(XFileTest, VerticesReadBackForTheirBoundingBox) {
    loaded_ = loadMesh(device_, threeMaterialFile(GetParam()));
    ASSERT_EQ(loaded_.result, D3D_OK);
    void* data = &loaded_;
    EXPECT_EQ(loaded_.mesh->LockVertexBuffer(0, &data), D3DERR_INVALIDCALL);
    EXPECT_EQ(data, nullptr);
    ASSERT_EQ(loaded_.mesh->LockVertexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    D3DXVECTOR3 lo, hi;
    ASSERT_EQ(D3DXComputeBoundingBox(static_cast<const D3DXVECTOR3*>(data),
                                     loaded_.mesh->GetNumVertices(),
                                     loaded_.mesh->GetNumBytesPerVertex(), &lo, &hi),
              D3D_OK);
    EXPECT_EQ(loaded_.mesh->UnlockVertexBuffer(), D3D_OK);
    platform::d3d9::MeshContents c;
    ASSERT_TRUE(platform::d3d9::readMesh(loaded_.mesh, &c));
    ASSERT_EQ(loaded_.mesh->GetNumVertices(), c.vertices.size());
    // The ground spans (0, 0) to (2, 2) doubled; the wall stands at z = 10.
    EXPECT_FLOAT_EQ(lo.x, 0);
    EXPECT_FLOAT_EQ(lo.z, 0);
    EXPECT_FLOAT_EQ(hi.x, 2);
    EXPECT_FLOAT_EQ(hi.z, 10);
    EXPECT_FLOAT_EQ(hi.y, 2);
    for (const auto& v : c.vertices)
        for (int a = 0; a < 3; ++a) {
            EXPECT_GE(v.position[a], (&lo.x)[a]);
            EXPECT_LE(v.position[a], (&hi.x)[a]);
        }
    const D3DXVECTOR3 one(1, 2, 3);
    EXPECT_EQ(D3DXComputeBoundingBox(&one, 0, 12, &lo, &hi), D3DERR_INVALIDCALL);
}

std::string encodingName(const ::testing::TestParamInfo<Encoding>& info) {
    static const char* const kNames[] = {"Text", "Binary32", "Binary64"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Encodings, XFileTest,
                         ::testing::Values(Encoding::Text, Encoding::Binary32, Encoding::Binary64),
                         encodingName);

TEST_F(DeviceTest, FileWithoutMaterialsGetsOne) {
    Loaded l = loadMesh(device_, dataPath("no_materials.x"));
    ASSERT_EQ(l.result, D3D_OK);
    EXPECT_EQ(l.count, 1u);
    l.materials->Release();
    l.mesh->Release();
}

// Both meshes refer to the one named material; each mesh still gets its own
// copy, so the second mesh's material 1 is attribute 2 of the merged mesh.
TEST_F(DeviceTest, ReferencedMaterialsAreCopiedPerMesh) {
    Loaded l = loadMesh(device_, dataPath("shared_material.x"));
    ASSERT_EQ(l.result, D3D_OK);
    EXPECT_EQ(l.count, 3u);
    platform::d3d9::MeshContents c;
    platform::d3d9::readMesh(l.mesh, &c);
    EXPECT_EQ(c.attributes, (std::vector<uint32_t>{0, 2}));
    const auto* m = static_cast<const D3DXMATERIAL*>(l.materials->GetBufferPointer());
    expectColour(m[1].MatD3D.Diffuse, 1, 0, 0, 1);
    expectColour(m[2].MatD3D.Diffuse, 0, 1, 0, 1);
    l.materials->Release();
    l.mesh->Release();
}

TEST_F(DeviceTest, TemplatesAreSkippedAndCornersWithTwoNormalsSplit) {
    Loaded l = loadMesh(device_, dataPath("templates_and_split_normals.x"));
    ASSERT_EQ(l.result, D3D_OK);
    platform::d3d9::MeshContents c;
    platform::d3d9::readMesh(l.mesh, &c);
    EXPECT_EQ(c.vertices.size(), 6u);
    ASSERT_EQ(c.indices.size(), 6u);
    EXPECT_NEAR(c.vertices[c.indices[0]].normal[1], 1, 1e-6f);
    EXPECT_NEAR(c.vertices[c.indices[3]].normal[2], -1, 1e-6f);
    EXPECT_NE(c.indices[0], c.indices[3]);  // corner 0, once per normal
    l.materials->Release();
    l.mesh->Release();
}

TEST_F(DeviceTest, MissingOrDamagedMeshFilesFailAndLeaveNull) {
    for (const char* name : {"damaged.x", "no-such-file.x", "quadrants.png"}) {
        Loaded l;
        l.mesh = reinterpret_cast<ID3DXMesh*>(1);
        l.materials = reinterpret_cast<ID3DXBuffer*>(1);
        l.result = D3DXLoadMeshFromXA(dataPath(name).c_str(), D3DXMESH_SYSTEMMEM, device_, nullptr,
                                      &l.materials, nullptr, &l.count, &l.mesh);
        EXPECT_EQ(l.result, E_FAIL) << name;
        EXPECT_EQ(l.mesh, nullptr) << name;
        EXPECT_EQ(l.materials, nullptr) << name;
        EXPECT_EQ(l.count, 0u) << name;
    }
}

// A count no file of this size could back must fail before anything the
// size of the count is allocated, in either encoding.
TEST_F(DeviceTest, ArrayCountBeyondTheFileFails) {
    const std::string binary = ::testing::TempDir() + "huge_count_bin.x";
    writeFile(binary, binaryXFromText(readTextFile(dataPath("huge_count.x"))));
    for (const std::string& path : {dataPath("huge_count.x"), binary}) {
        Loaded l = loadMesh(device_, path);
        EXPECT_EQ(l.result, E_FAIL) << path;
        EXPECT_EQ(l.mesh, nullptr) << path;
    }
}

TEST_F(DeviceTest, AdjacencyOutputIsRefused) {
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* adjacency = nullptr;
    EXPECT_EQ(D3DXLoadMeshFromXA(dataPath("three_materials.x").c_str(), D3DXMESH_SYSTEMMEM, device_,
                                 &adjacency, nullptr, nullptr, nullptr, &mesh),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(mesh, nullptr);
}

// Subset 0 is Ground's first triangle, x 0..2 and z 0..2 above the diagonal.
TEST_F(DeviceTest, DrawSubsetDrawsOnlyThatMaterialsFaces) {
    Loaded l = loadMesh(device_, dataPath("three_materials.x"));
    ASSERT_EQ(l.result, D3D_OK);
    lookDownOrtho();
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    clear(0xFF0000FF);
    device_->BeginScene();
    EXPECT_EQ(l.mesh->DrawSubset(0), D3D_OK);
    EXPECT_EQ(l.mesh->DrawSubset(7), D3D_OK);  // no such faces: nothing drawn
    device_->EndScene();
    const platform::Frame frame = present();
    const Rgba inFirst = pixel(frame, 33, 19), inSecond = pixel(frame, 36, 22);
    EXPECT_EQ(inFirst.r, 255);
    EXPECT_EQ(inFirst.g, 255);
    EXPECT_EQ(inSecond.r, 0);
    EXPECT_EQ(inSecond.b, 255);
    l.materials->Release();
    l.mesh->Release();
}

// Releasing the device first must not free what the mesh still uses.
TEST_F(DeviceTest, MeshOutlivesItsDeviceSafely) {
    Loaded l = loadMesh(device_, dataPath("three_materials.x"));
    ASSERT_EQ(l.result, D3D_OK);
    EXPECT_EQ(device_->Release(), 0u);
    device_ = nullptr;
    EXPECT_EQ(l.mesh->Release(), 0u);
    l.materials->Release();
}
