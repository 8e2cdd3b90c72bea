// The Meshes panel played by a scripted user on the real program.
#include <gtest/gtest.h>

#include <string>

#include "panel_script.h"
#include "track_document.h"

namespace {

const UiScript kMeshBoxes = UiScript()
                                .print(IDC_MESH_POS_X)
                                .print(IDC_MESH_POS_Y)
                                .print(IDC_MESH_POS_Z)
                                .print(IDC_MESH_SCALE)
                                .print(IDC_MESH_ANGLE);

std::string preparedTrack(const TempFolder& folder) {
    TrackDocument doc;
    doc.createTrack(10, 10, 2, 0, 0, 3);
    doc.setMeshPosX(1, 101);
    doc.setMeshPosY(1, 102);
    doc.setMeshPosZ(1, 103);
    doc.setMeshScale(1, 104);
    doc.setMeshAngle(1, 105);
    std::string path = folder.path("prepared.trk");
    doc.saveTrack(path.c_str());
    return path;
}

TEST(MeshPanel, ChoosingAPlacementShowsItAndChangesNothing) {
    TempFolder folder;
    std::string track = preparedTrack(folder);
    UiScript script = loadTrackLines(track) + UiScript().choose(IDC_MESH_LIST, 1) + kMeshBoxes +
                      saveTrackLines(folder, "shown.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.shown(IDC_MESH_POS_X), "101");
    EXPECT_EQ(run.shown(IDC_MESH_POS_Y), "102");
    EXPECT_EQ(run.shown(IDC_MESH_POS_Z), "103");
    EXPECT_EQ(run.shown(IDC_MESH_SCALE), "104");
    EXPECT_EQ(run.shown(IDC_MESH_ANGLE), "105");
    EXPECT_EQ(readFileBytes(folder.path("shown.trk")), readFileBytes(track));
}

TEST(MeshPanel, ScaleSetsAllThreeValuesAtEveryKeystroke) {
    TempFolder folder;
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 2) +
                      UiScript().choose(IDC_MESH_LIST, 1).type(IDC_MESH_SCALE, 5) +
                      saveTrackLines(folder, "five.trk") + UiScript().type(IDC_MESH_SCALE, 50) +
                      saveTrackLines(folder, "fifty.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const DWORD expected[] = {5, 50};
    const char* files[] = {"five.trk", "fifty.trk"};
    for (int k = 0; k < 2; ++k) {
        TrackDocument doc;
        ASSERT_TRUE(doc.loadTrack(folder.path(files[k]).c_str()));
        const MeshPlacement& placed = doc.meshes[1];
        EXPECT_EQ(placed.scaleX, expected[k]);
        EXPECT_EQ(placed.scaleY, expected[k]);
        EXPECT_EQ(placed.scaleZ, expected[k]);
        EXPECT_EQ(doc.meshes[0].scaleX, 100u);
    }
}

// The boxes keep what they showed; the next keystroke goes to placement 0.
TEST(MeshPanel, AddMeshSelectsEntryZeroAndLeavesTheBoxes) {
    TempFolder folder;
    std::string track = preparedTrack(folder);
    UiScript script = loadTrackLines(track) +
                      UiScript().choose(IDC_MESH_LIST, 1).click(IDC_MESH_ADD).print(IDC_MESH_LIST) +
                      kMeshBoxes + UiScript().type(IDC_MESH_POS_X, 7) +
                      saveTrackLines(folder, "added.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.shown(IDC_MESH_LIST), "0 (null)|1 (null)|2 (null)|3 (null) sel=0");
    EXPECT_EQ(run.shown(IDC_MESH_POS_X), "101");
    EXPECT_EQ(run.shown(IDC_MESH_SCALE), "104");
    TrackDocument added;
    ASSERT_TRUE(added.loadTrack(folder.path("added.trk").c_str()));
    ASSERT_EQ(added.getMeshCount(), 4u);
    EXPECT_EQ(added.getMeshPosX(0), 7u);
    EXPECT_EQ(added.getMeshPosX(1), 101u);
    EXPECT_EQ(added.meshes[3].empty, kSlotUnused);
    EXPECT_EQ(added.getMeshScale(3), 100u);
}

// The model shows at once where the placement stands; its entry names it.
TEST(MeshPanel, BrowseShowsTheModelAtOnceAndNamesTheEntry) {
    TempFolder folder;
    UiScript script =
        newTrackLines(10, 10, 5, 5, 20, 2) +
        UiScript().choose(IDC_MESH_LIST, 1).type(IDC_MESH_POS_X, 300).type(IDC_MESH_POS_Z, 500) +
        snapshotLines(folder, "before.png") +
        UiScript().answerFile(testDataPath("block.x")).click(IDC_MESH_BROWSE).print(IDC_MESH_LIST) +
        snapshotLines(folder, "after.png") + saveTrackLines(folder, "placed.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.shown(IDC_MESH_LIST), "0 (null)|1 block.x sel=1");
    Picture before, after;
    ASSERT_TRUE(loadPicture(folder.path("before.png"), &before));
    ASSERT_TRUE(loadPicture(folder.path("after.png"), &after));
    EXPECT_GT(differingFraction(before, after, 8), 0.001);
    TrackDocument doc;
    ASSERT_TRUE(doc.loadTrack(folder.path("placed.trk").c_str()));
    EXPECT_STREQ(doc.getMeshName(1), "block.x");
    EXPECT_EQ(doc.getMeshName(0), nullptr);
}

// Placement 128 has no model slot and a 68-character name no name slot;
// without placements Browse does nothing and the boxes write nothing.
TEST(MeshPanel, RefusalsWriteNothingAndSayWhy) {
    TempFolder folder;
    std::string longName = std::string(66, 'm') + ".x";
    UiScript script =
        newTrackLines(2, 2, 1, 0, 0, 130) +
        UiScript()
            .choose(IDC_MESH_LIST, 128)
            .click(IDC_MESH_BROWSE)
            .choose(IDC_MESH_LIST, 127)
            .answerFile(folder.path(longName))
            .click(IDC_MESH_BROWSE) +
        saveTrackLines(folder, "refused.trk") + newTrackLines(2, 2, 1, 0, 0, 0) +
        UiScript().click(IDC_MESH_BROWSE).type(IDC_MESH_POS_X, 9).type(IDC_MESH_SCALE, 3) +
        saveTrackLines(folder, "none.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes("Kelvane: Mesh 128 cannot get a model"), 1) << run.out;
    EXPECT_EQ(run.boxes("Kelvane: The file name \"" + longName +
                        "\" is longer than the 67 characters a mesh can hold"),
              1)
        << run.out;
    EXPECT_EQ(run.boxes(), 2) << run.out;
    TrackDocument many, none;
    many.createTrack(2, 2, 1, 0, 0, 130);
    none.createTrack(2, 2, 1, 0, 0, 0);
    EXPECT_EQ(readFileBytes(folder.path("refused.trk")), savedBytes(many, folder));
    EXPECT_EQ(readFileBytes(folder.path("none.trk")), savedBytes(none, folder));
}

}  // namespace
