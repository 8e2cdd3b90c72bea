// Map textures and meshes: which file goes into which slot, what a failure
// leaves behind, the table limits and that every reference is given back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/d3d9_inspect.h"
#include "platform/d3d9_trace.h"
#include "render_fixture.h"
#include "renderer.h"
#include "scene.h"
#include "shared_textures.h"
#include "track_document.h"
#include "x_files.h"

namespace {

using platform::d3d9::liveObjectCount;
using platform::d3d9::TraceScope;

class ResourcesTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        writeSolidTga(dir.path("red.tga"), 4, 4, Rgba{255, 0, 0, 255});
        writeSolidTga(dir.path("green.tga"), 4, 4, Rgba{0, 255, 0, 128});
        writeTextX(dir.path("text.x"));
        writeBinaryX(dir.path("binary.x"));
    }
    void TearDown() override {
        trackDocument.destroyTrack();
        RenderTest::TearDown();
    }
    // "folder\name" as the editor composes it.
    std::string windowsPath(const std::string& name) const { return dir.dir() + "\\" + name; }

    TempFolder dir;
};

TEST(ComposePath, FitsUpTo127CharactersAndNeverCuts) {
    char out[128];
    const std::string folder(100, 'd');
    ASSERT_TRUE(composePath(out, sizeof out, folder.c_str(), "name.bmp", 8));
    EXPECT_EQ(std::string(out), folder + "\\name.bmp");
    // 100 + 1 + 26 = 127 fits; one more does not, and nothing is left behind.
    const std::string name26(26, 'n'), name27(27, 'n');
    EXPECT_TRUE(composePath(out, sizeof out, folder.c_str(), name26.c_str(), 26));
    EXPECT_EQ(std::strlen(out), 127u);
    EXPECT_FALSE(composePath(out, sizeof out, folder.c_str(), name27.c_str(), 27));
    EXPECT_STREQ(out, "");
    // Only the given length of the name is read: a stored name need not end.
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    ASSERT_TRUE(composePath(out, sizeof out, "f", unterminated, 4));
    EXPECT_STREQ(out, "f\\abcd");
}

TEST_F(ResourcesTest, MapTexturesLoadIntoTheirSlotOnly) {
    EXPECT_EQ(scene.loadMapTexture(0, windowsPath("red.tga").c_str()), S_OK);
    EXPECT_NE(scene.mapTextures[0], nullptr);
    EXPECT_EQ(scene.loadMapTexture(255, windowsPath("green.tga").c_str()), S_OK);
    platform::d3d9::TextureImage image;
    ASSERT_TRUE(platform::d3d9::readTexture(scene.mapTextures[255], &image));
    ASSERT_EQ(image.rgba.size(), 4u * 4u * 4u);
    EXPECT_EQ(image.rgba[1], 255);
    EXPECT_EQ(image.rgba[3], 128);  // alpha kept
    // Beyond the table nothing is read, written or created.
    const int live = liveObjectCount();
    EXPECT_EQ(scene.loadMapTexture(256, windowsPath("red.tga").c_str()), E_FAIL);
    EXPECT_EQ(scene.loadMapTexture(0xFFFFFFFFu, windowsPath("red.tga").c_str()), E_FAIL);
    EXPECT_EQ(liveObjectCount(), live);
    EXPECT_EQ(scene.mapTexture(256), nullptr);
}

TEST_F(ResourcesTest, ReloadingAMapReleasesTheOldTextureAndAFailureEmptiesIt) {
    ASSERT_EQ(scene.loadMapTexture(5, windowsPath("red.tga").c_str()), S_OK);
    IDirect3DTexture9* old = scene.mapTextures[5];
    old->AddRef();
    ASSERT_EQ(scene.loadMapTexture(5, windowsPath("green.tga").c_str()), S_OK);
    EXPECT_NE(scene.mapTextures[5], old);
    EXPECT_EQ(old->Release(), 0u);  // the slot held no reference any more

    EXPECT_EQ(scene.loadMapTexture(5, windowsPath("missing.tga").c_str()), E_FAIL);
    EXPECT_EQ(scene.mapTextures[5], nullptr);
    EXPECT_EQ(scene.loadMapTexture(5, windowsPath("text.x").c_str()), E_FAIL);
    EXPECT_EQ(scene.mapTextures[5], nullptr);
}

// The material list in file order, ambient taken from diffuse, and the
// textures the materials name loaded from the given folder.
void expectThreeMaterials(const MeshSlot& slot) {
    ASSERT_NE(slot.mesh, nullptr);
    ASSERT_EQ(slot.materialCount, 3u);
    const XMaterial* file = threeMaterials();
    for (int m = 0; m < 3; ++m) {
        const D3DMATERIAL9& got = slot.materials[m];
        EXPECT_EQ(got.Diffuse.r, file[m].diffuse[0]) << m;
        EXPECT_EQ(got.Diffuse.g, file[m].diffuse[1]) << m;
        EXPECT_EQ(got.Diffuse.b, file[m].diffuse[2]) << m;
        EXPECT_EQ(got.Diffuse.a, file[m].diffuse[3]) << m;
        EXPECT_EQ(std::memcmp(&got.Ambient, &got.Diffuse, sizeof got.Ambient), 0) << m;
        EXPECT_EQ(got.Power, file[m].power) << m;
        EXPECT_EQ(got.Emissive.r, file[m].emissive[0]) << m;
    }
    EXPECT_NE(slot.textures[0], nullptr);
    EXPECT_NE(slot.textures[1], nullptr);
    EXPECT_EQ(slot.textures[2], nullptr);
    platform::d3d9::MeshContents contents;
    ASSERT_TRUE(platform::d3d9::readMesh(slot.mesh, &contents));
    EXPECT_EQ(contents.attributes, (std::vector<uint32_t>{0, 1, 2}));
}

TEST_F(ResourcesTest, ThreeMaterialMeshesLoadFromTextAndBinaryFiles) {
    ASSERT_EQ(scene.loadMesh(0, windowsPath("text.x").c_str(), dir.dir().c_str()), S_OK);
    expectThreeMaterials(scene.meshSlots[0]);
    ASSERT_EQ(scene.loadMesh(127, windowsPath("binary.x").c_str(), dir.dir().c_str()), S_OK);
    expectThreeMaterials(scene.meshSlots[127]);
}

TEST_F(ResourcesTest, SubsetsDrawInOrderWithTheirOwnMaterialAndTexture) {
    ASSERT_EQ(scene.loadMesh(3, windowsPath("text.x").c_str(), dir.dir().c_str()), S_OK);
    std::vector<std::string> trace;
    beginFrame();
    {
        TraceScope scope(&trace);
        EXPECT_EQ(scene.drawMesh(3), S_OK);
        scene.drawMesh(4);    // empty slot
        scene.drawMesh(128);  // beyond the table
    }
    finishFrame();
    ASSERT_EQ(trace.size(), 9u);
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(trace[3 * m].rfind("SetMaterial({D=(", 0), 0u) << trace[3 * m];
        EXPECT_EQ(trace[3 * m + 1].rfind("SetTexture(0, ", 0), 0u);
        EXPECT_NE(trace[3 * m + 2].find(".DrawSubset(" + std::to_string(m) + ")"),
                  std::string::npos);
    }
    EXPECT_EQ(trace[0],
              "SetMaterial({D=(1, 0, 0, 1), A=(1, 0, 0, 1), S=(0.5, 0.5, 0.5, 1), "
              "E=(0, 0, 0, 1), P=10})");
    EXPECT_NE(trace[1], "SetTexture(0, NULL)");
    EXPECT_EQ(trace[7], "SetTexture(0, NULL)");
}

TEST_F(ResourcesTest, MeshTexturesAreLookedForInTheGivenFolderOnly) {
    TempFolder other;
    writeSolidTga(other.path("green.tga"), 2, 2, Rgba{0, 255, 0, 255});
    ASSERT_EQ(scene.loadMesh(1, windowsPath("text.x").c_str(), other.dir().c_str()), S_OK);
    EXPECT_EQ(scene.meshSlots[1].textures[0], nullptr);  // red.tga is not there
    EXPECT_NE(scene.meshSlots[1].textures[1], nullptr);
    // A folder so long that "folder\red.tga" does not fit loads no texture.
    const std::string longFolder = dir.dir() + "/" + std::string(120, 'x');
    ASSERT_EQ(scene.loadMesh(2, windowsPath("text.x").c_str(), longFolder.c_str()), S_OK);
    EXPECT_EQ(scene.meshSlots[2].textures[0], nullptr);
    EXPECT_EQ(scene.meshSlots[2].textures[1], nullptr);
}

TEST_F(ResourcesTest, FailedOrRefusedMeshLoadsLeaveTheSlotEmpty) {
    const int live = liveObjectCount();
    EXPECT_EQ(scene.loadMesh(128, windowsPath("text.x").c_str(), dir.dir().c_str()), E_FAIL);
    EXPECT_EQ(liveObjectCount(), live);
    ASSERT_EQ(scene.loadMesh(9, windowsPath("text.x").c_str(), dir.dir().c_str()), S_OK);
    // Replaced by a file that cannot be loaded: the slot ends up empty.
    EXPECT_EQ(scene.loadMesh(9, windowsPath("red.tga").c_str(), dir.dir().c_str()), E_FAIL);
    const MeshSlot& slot = scene.meshSlots[9];
    EXPECT_EQ(slot.mesh, nullptr);
    EXPECT_EQ(slot.materialCount, 0u);
    EXPECT_EQ(slot.materials, nullptr);
    EXPECT_EQ(slot.textures, nullptr);
    EXPECT_EQ(liveObjectCount(), live);
}

TEST_F(ResourcesTest, ReleasingAMeshGivesBackEveryReferenceOnce) {
    const int live = liveObjectCount();
    ASSERT_EQ(scene.loadMesh(6, windowsPath("binary.x").c_str(), dir.dir().c_str()), S_OK);
    ID3DXMesh* mesh = scene.meshSlots[6].mesh;
    IDirect3DTexture9* texture = scene.meshSlots[6].textures[0];
    mesh->AddRef();
    texture->AddRef();
    EXPECT_EQ(scene.releaseMesh(6), 1);
    EXPECT_EQ(scene.releaseMesh(6), 1);
    EXPECT_EQ(scene.releaseMesh(7), 1);
    EXPECT_EQ(scene.releaseMesh(500), 1);
    EXPECT_EQ(scene.meshSlots[6].mesh, nullptr);
    EXPECT_EQ(mesh->Release(), 0u);
    EXPECT_EQ(texture->Release(), 0u);
    EXPECT_EQ(liveObjectCount(), live);
    // Loading over a loaded slot does not leak the mesh it held.
    ASSERT_EQ(scene.loadMesh(6, windowsPath("text.x").c_str(), dir.dir().c_str()), S_OK);
    ASSERT_EQ(scene.loadMesh(6, windowsPath("text.x").c_str(), dir.dir().c_str()), S_OK);
    scene.releaseMesh(6);
    EXPECT_EQ(liveObjectCount(), live);
}

TEST_F(ResourcesTest, TrackResourcesNeedALoadedTrack) {
    const int live = liveObjectCount();
    EXPECT_EQ(loadTrackResources(trackDocument, dir.dir().c_str()), 0);
    EXPECT_EQ(liveObjectCount(), live);
}

TEST_F(ResourcesTest, TrackResourcesLoadEveryMapAndMeshFromTheFolder) {
    ASSERT_EQ(trackDocument.createTrack(2, 2, 3, 0, 0, 2), 1);
    ASSERT_EQ(trackDocument.setMapFile(0, "red.tga"), 1);
    ASSERT_EQ(trackDocument.setMapFile(2, "green.tga"), 1);
    ASSERT_EQ(trackDocument.setMeshFile(1, "binary.x"), 1);
    // Map 1 names no file: whatever its slot held goes.
    ASSERT_EQ(scene.loadMapTexture(1, windowsPath("red.tga").c_str()), S_OK);
    EXPECT_EQ(loadTrackResources(dir.dir().c_str()), 1);
    EXPECT_NE(scene.mapTextures[0], nullptr);
    EXPECT_EQ(scene.mapTextures[1], nullptr);
    EXPECT_NE(scene.mapTextures[2], nullptr);
    EXPECT_EQ(scene.meshSlots[0].mesh, nullptr);
    expectThreeMaterials(scene.meshSlots[1]);
}

TEST_F(ResourcesTest, TrackResourcesStopAtTheTablesAndAtTheNameField) {
    ASSERT_EQ(trackDocument.createTrack(1, 1, 300, 0, 0, 130), 1);
    for (DWORD i = 0; i < 300; ++i) trackDocument.setMapFile(i, "red.tga");
    for (DWORD i = 0; i < 130; ++i) trackDocument.setMeshFile(i, "nothing.x");
    // A damaged name that fills its whole field without an end.
    std::memset(trackDocument.maps[3].fileName, 'a', sizeof trackDocument.maps[3].fileName);
    const int live = liveObjectCount();
    ResourceReport report;
    EXPECT_EQ(loadTrackResources(dir.dir().c_str(), &report), 1);
    // 255 slots name one image: one texture, shared.
    EXPECT_EQ(liveObjectCount(), live + 1);
    EXPECT_EQ(sharedTextures.fileCount(), 1u);
    EXPECT_EQ(scene.mapTextures[3], nullptr);
    EXPECT_NE(scene.mapTextures[255], nullptr);
    EXPECT_EQ(scene.mapTextures[255], scene.mapTextures[0]);
    ASSERT_EQ(report.entries.size(), 2u);
    EXPECT_EQ(report.entries[0].name, std::string(sizeof trackDocument.maps[3].fileName, 'a'));
    EXPECT_EQ(report.entries[1].name, "nothing.x");
    EXPECT_EQ(report.entries[1].reason, ResourceFailure::NotFound);
}

TEST_F(ResourcesTest, APathThatDoesNotFitIsRefusedNotCut) {
    ASSERT_EQ(trackDocument.createTrack(1, 1, 1, 0, 0, 1), 1);
    ASSERT_EQ(trackDocument.setMapFile(0, "red.tga"), 1);
    ASSERT_EQ(trackDocument.setMeshFile(0, "text.x"), 1);
    ASSERT_EQ(scene.loadMapTexture(0, windowsPath("red.tga").c_str()), S_OK);
    const std::string longFolder = dir.dir() + "/" + std::string(125 - dir.dir().size(), 'x');
    EXPECT_EQ(loadTrackResources(longFolder.c_str()), 1);
    EXPECT_EQ(scene.mapTextures[0], nullptr);
    EXPECT_EQ(scene.meshSlots[0].mesh, nullptr);
}

TEST_F(ResourcesTest, ShutdownGivesBackEverything) {
    ASSERT_EQ(scene.loadMapTexture(0, windowsPath("red.tga").c_str()), S_OK);
    ASSERT_EQ(scene.loadMesh(0, windowsPath("text.x").c_str(), dir.dir().c_str()), S_OK);
    IDirect3DVertexBuffer9* quad = scene.quads[FlatQuad];
    scene.selectQuad(FlatQuad);
    scene.drawQuad(0);
    quad->AddRef();
    shutdownRenderer();
    EXPECT_EQ(quad->Release(), 0u);
    for (IDirect3DVertexBuffer9* q : scene.quads) EXPECT_EQ(q, nullptr);
    EXPECT_EQ(scene.mapTextures[0], nullptr);
    EXPECT_EQ(scene.meshSlots[0].mesh, nullptr);
    EXPECT_EQ(liveObjectCount(), liveAtStart);
}

}  // namespace
