// Textures shared per file, the names a track may use, the failures a load
// reports and the texture memory budget.
#include <gtest/gtest.h>

#include <string>

#include "platform/d3d9_inspect.h"
#include "render_fixture.h"
#include "renderer.h"
#include "scene.h"
#include "shared_textures.h"
#include "track_document.h"
#include "x_files.h"

namespace {

// A 4 x 4 picture as D3DX keeps it: 32-bit texels and its mip chain.
constexpr uint64_t kSmallPictureBytes = (16 + 4 + 1) * 4;

using platform::d3d9::liveObjectCount;

// A one-triangle mesh whose one material names `texture`.
std::string meshNaming(const std::string& texture) {
    return "xof 0302txt 0032\nMesh M {\n3;\n0;0;0;,0;0;1;,1;0;0;;\n1;\n3;0,1,2;;\n"
           "MeshMaterialList { 1; 1; 0;; Material { 1.0;1.0;1.0;1.0;; 8.0; 0.0;0.0;0.0;; "
           "0.0;0.0;0.0;; TextureFilename { \"" +
           texture + "\"; } } }\n}\n";
}

class SharedTexturesTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        // The track lives in dir/track; a picture lies one folder above it.
        std::filesystem::create_directory(dir.path("track"));
        writeSolidTga(dir.path("outside.tga"), 2, 2, Rgba{255, 0, 0, 255});
        writeSolidTga(track("red.tga"), 4, 4, Rgba{255, 0, 0, 255});
        writeSolidTga(track("big.tga"), 64, 64, Rgba{0, 0, 255, 255});
        TempFolder::write(track("notes.tga"), "not a picture");
    }
    void TearDown() override {
        trackDocument.destroyTrack();
        sharedTextures.setBudget(SharedTextures::kDefaultBudget);
        RenderTest::TearDown();
    }
    std::string track(const std::string& name) const { return dir.path("track/" + name); }
    std::string trackFolder() const { return dir.path("track"); }

    TempFolder dir;
};

TEST_F(SharedTexturesTest, SlotsAndMaterialsNamingOneFileShareOneTextureUntilTheLastGoes) {
    TempFolder::write(track("hut.x"), meshNaming("red.tga"));
    ASSERT_EQ(trackDocument.createTrack(1, 1, 256, 0, 0, 2), 1);
    for (DWORD i = 0; i < 256; ++i) trackDocument.setMapFile(i, "red.tga");
    trackDocument.setMeshFile(0, "hut.x");
    trackDocument.setMeshFile(1, "hut.x");
    const int live = liveObjectCount();
    ResourceReport report;
    ASSERT_EQ(loadTrackResources(trackFolder().c_str(), &report), 1);
    EXPECT_TRUE(report.empty());
    // 256 maps and two meshes' materials: one texture; two meshes, each with
    // its vertex buffer.
    EXPECT_EQ(liveObjectCount(), live + 1 + 2 * 2);
    EXPECT_EQ(sharedTextures.fileCount(), 1u);
    EXPECT_EQ(sharedTextures.bytesInUse(), kSmallPictureBytes);
    EXPECT_EQ(scene.meshSlots[1].textures[0], scene.mapTextures[0]);
    // A file dialog's spelling of the same file finds the same texture.
    ASSERT_EQ(scene.loadMapTexture(7, (trackFolder() + "//red.tga").c_str()), S_OK);
    EXPECT_EQ(scene.mapTextures[7], scene.mapTextures[0]);

    for (DWORD i = 0; i < 256; ++i) scene.loadMapTexture(i, nullptr);
    scene.releaseMesh(0);
    EXPECT_EQ(sharedTextures.fileCount(), 1u);  // mesh 1 still uses it
    scene.releaseMesh(1);
    EXPECT_EQ(sharedTextures.fileCount(), 0u);
    EXPECT_EQ(sharedTextures.bytesInUse(), 0u);
    EXPECT_EQ(liveObjectCount(), live);
}

TEST_F(SharedTexturesTest, NamesThatLeaveTheFolderAreRefusedAndReported) {
    TempFolder::write(track("hut.x"), meshNaming("..\\\\outside.tga"));
    ASSERT_EQ(trackDocument.createTrack(1, 1, 3, 0, 0, 2), 1);
    trackDocument.setMapFile(0, "../outside.tga");
    trackDocument.setMapFile(1, "red.tga");
    trackDocument.setMapFile(2, (dir.path("outside.tga")).c_str());
    trackDocument.setMeshFile(0, "hut.x");
    trackDocument.setMeshFile(1, "..\\track\\hut.x");
    ResourceReport report;
    ASSERT_EQ(loadTrackResources(trackFolder().c_str(), &report), 1);
    EXPECT_EQ(scene.mapTextures[0], nullptr);
    EXPECT_NE(scene.mapTextures[1], nullptr);
    EXPECT_EQ(scene.mapTextures[2], nullptr);
    ASSERT_NE(scene.meshSlots[0].mesh, nullptr);
    EXPECT_EQ(scene.meshSlots[0].textures[0], nullptr);
    EXPECT_EQ(scene.meshSlots[1].mesh, nullptr);
    ASSERT_EQ(report.entries.size(), 4u);
    EXPECT_EQ(report.entries[0].name, "../outside.tga");
    EXPECT_EQ(report.entries[1].name, dir.path("outside.tga"));
    EXPECT_EQ(report.entries[2].name, "..\\\\outside.tga (in hut.x)");
    EXPECT_EQ(report.entries[3].name, "..\\track\\hut.x");
    for (const auto& entry : report.entries)
        EXPECT_EQ(entry.reason, ResourceFailure::RefusedName) << entry.name;
    EXPECT_EQ(resourceFailureText(ResourceFailure::RefusedName), "refused name (outside the folder)");
}

TEST_F(SharedTexturesTest, EachFailingFileIsReportedOnceWithItsReason) {
    TempFolder::write(track("broken.x"), "xof 0302txt 0032\nMesh {");
    TempFolder::write(track("hut.x"), meshNaming("gone.tga"));
    ASSERT_EQ(trackDocument.createTrack(1, 1, 4, 0, 0, 3), 1);
    trackDocument.setMapFile(0, "missing.tga");
    trackDocument.setMapFile(1, "notes.tga");
    trackDocument.setMapFile(2, "missing.tga");
    trackDocument.setMeshFile(0, "broken.x");
    trackDocument.setMeshFile(1, "hut.x");
    trackDocument.setMeshFile(2, "nowhere/hut.x");
    ResourceReport report;
    ASSERT_EQ(loadTrackResources(trackFolder().c_str(), &report), 1);
    ASSERT_EQ(report.entries.size(), 5u);
    const std::pair<std::string, ResourceFailure> expected[] = {
        {"missing.tga", ResourceFailure::NotFound},
        {"notes.tga", ResourceFailure::NotAnImage},
        {"broken.x", ResourceFailure::NotAMesh},
        {"gone.tga (in hut.x)", ResourceFailure::NotFound},
        {"nowhere/hut.x", ResourceFailure::NotFound},
    };
    for (size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(report.entries[k].name, expected[k].first);
        EXPECT_EQ(report.entries[k].reason, expected[k].second) << expected[k].first;
    }
    EXPECT_FALSE(report.stopped);
}

// A budget of two small pictures: the big one passes it, is refused and
// stops the load; what came before stays, nothing after is read.
TEST_F(SharedTexturesTest, ATexturePastTheBudgetIsRefusedAndStopsTheLoad) {
    writeSolidTga(track("green.tga"), 4, 4, Rgba{0, 255, 0, 255});
    TempFolder::write(track("hut.x"), meshNaming("green.tga"));
    sharedTextures.setBudget(2 * kSmallPictureBytes + 60);
    ASSERT_EQ(trackDocument.createTrack(1, 1, 4, 0, 0, 1), 1);
    trackDocument.setMapFile(0, "red.tga");
    trackDocument.setMapFile(1, "big.tga");
    trackDocument.setMapFile(2, "green.tga");
    trackDocument.setMapFile(3, "missing.tga");
    trackDocument.setMeshFile(0, "hut.x");
    const int live = liveObjectCount();
    ResourceReport report;
    ASSERT_EQ(loadTrackResources(trackFolder().c_str(), &report), 1);
    EXPECT_NE(scene.mapTextures[0], nullptr);
    EXPECT_EQ(scene.mapTextures[1], nullptr);
    EXPECT_EQ(scene.mapTextures[2], nullptr);
    EXPECT_EQ(scene.meshSlots[0].mesh, nullptr);
    EXPECT_TRUE(report.stopped);
    ASSERT_EQ(report.entries.size(), 1u);
    EXPECT_EQ(report.entries[0].name, "big.tga");
    EXPECT_EQ(report.entries[0].reason, ResourceFailure::OverBudget);
    EXPECT_EQ(liveObjectCount(), live + 1);
    EXPECT_EQ(sharedTextures.bytesInUse(), kSmallPictureBytes);
    // The default budget is 1 GiB and the text says so.
    sharedTextures.setBudget(SharedTextures::kDefaultBudget);
    EXPECT_EQ(resourceFailureText(ResourceFailure::OverBudget),
              "too large: passes the texture memory budget of 1024 MiB; loading stopped here");
    // A picture that fits on its own loads once the budget has room.
    EXPECT_EQ(scene.loadMapTexture(1, track("big.tga").c_str()), S_OK);
}

}  // namespace
