// The Sprites panel played by a scripted user on the real program.
#include <gtest/gtest.h>

#include <string>

#include "panel_script.h"
#include "track_document.h"

namespace {

const UiScript kSpriteBoxes = UiScript()
                                  .print(IDC_SPRITE_POS_X)
                                  .print(IDC_SPRITE_POS_Y)
                                  .print(IDC_SPRITE_POS_Z)
                                  .print(IDC_SPRITE_SCALE_X)
                                  .print(IDC_SPRITE_SCALE_Y)
                                  .print(IDC_SPRITE_ANGLE)
                                  .print(IDC_SPRITE_MAP)
                                  .print(IDC_SPRITE_FACE);

// Map 1 gets the tree picture.
UiScript treeAsMapOne() {
    return UiScript()
        .choose(IDC_FIELD_MAPS, 1)
        .answerFile(testDataPath("tree.tga"))
        .click(IDC_FIELD_BROWSE);
}

// A track whose billboards 1 and 2 carry values of their own, saved in the
// folder; the program loads it.
std::string preparedTrack(const TempFolder& folder) {
    TrackDocument doc;
    doc.createTrack(10, 10, 5, 4, 1, 0);
    doc.setBillboardPosX(2, 11);
    doc.setBillboardPosY(2, 22);
    doc.setBillboardPosZ(2, 33);
    doc.setBillboardScale(2, 44, 55);
    doc.setBillboardAngle(2, 66);
    doc.setBillboardMap(2, 3);
    doc.setBillboardFace(1, 1);
    doc.setBillboardAngle(1, 45);
    std::string path = folder.path("prepared.trk");
    doc.saveTrack(path.c_str());
    return path;
}

// Map 0 is also the background's, so the billboard gets map 1 to stand out.
// Each keystroke writes the number typed so far and repaints: the billboard
// moves at 2, 25 and 250.
TEST(SpritePanel, TypingPosXWritesEveryPrefixAndRepaints) {
    TempFolder folder;
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) + treeAsMapOne() +
                      UiScript()
                          .choose(IDC_SPRITE_NUMBER, 3)
                          .choose(IDC_SPRITE_MAP, 1)
                          .type(IDC_SPRITE_POS_Z, 500) +
                      snapshotLines(folder, "x0.png");
    for (const char* prefix : {"2", "25", "250"}) {
        script += UiScript().type(IDC_SPRITE_POS_X, prefix) +
                  saveTrackLines(folder, std::string("x") + prefix + ".trk") +
                  snapshotLines(folder, std::string("x") + prefix + ".png");
    }
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const char* names[] = {"x0", "x2", "x25", "x250"};
    Picture shown[4];
    for (int k = 0; k < 4; ++k)
        ASSERT_TRUE(loadPicture(folder.path(std::string(names[k]) + ".png"), &shown[k]));
    for (int k = 1; k < 4; ++k) EXPECT_GT(differingFraction(shown[k - 1], shown[k], 8), 0.0);
    const DWORD typed[] = {2, 25, 250};
    for (int k = 0; k < 3; ++k) {
        TrackDocument doc;
        ASSERT_TRUE(doc.loadTrack(folder.path(std::string(names[k + 1]) + ".trk").c_str()));
        EXPECT_EQ(doc.getBillboardPosX(3), typed[k]);
        EXPECT_EQ(doc.getBillboardPosX(0), 0u);
        EXPECT_EQ(doc.getBillboardPosZ(3), 500u);
    }
}

// The guard holds while the boxes are rewritten, so showing billboard 2
// changes no billboard; a facing billboard shows Angle Y disabled.
TEST(SpritePanel, ChoosingABillboardRewritesTheBoxesAndChangesNothing) {
    TempFolder folder;
    std::string track = preparedTrack(folder);
    UiScript script = loadTrackLines(track) + UiScript().choose(IDC_SPRITE_NUMBER, 2) +
                      kSpriteBoxes +
                      UiScript()
                          .choose(IDC_SPRITE_NUMBER, 1)
                          .print(IDC_SPRITE_ANGLE)
                          .print(IDC_SPRITE_FACE)
                          .print(IDC_SPRITE_MAP) +
                      saveTrackLines(folder, "shown.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_GE(run.lines.size(), 11u) << run.out;
    const std::pair<int, const char*> expected[] = {
        {IDC_SPRITE_POS_X, "11"},
        {IDC_SPRITE_POS_Y, "22"},
        {IDC_SPRITE_POS_Z, "33"},
        {IDC_SPRITE_SCALE_X, "44"},
        {IDC_SPRITE_SCALE_Y, "55"},
        {IDC_SPRITE_ANGLE, "66"},
        {IDC_SPRITE_MAP, "0 (null)|1 (null)|2 (null)|3 (null)|4 (null) sel=3"},
        {IDC_SPRITE_FACE, "unchecked"},
        {IDC_SPRITE_ANGLE, "45 disabled"},
        {IDC_SPRITE_FACE, "checked"},
        {IDC_SPRITE_MAP, "0 (null)|1 (null)|2 (null)|3 (null)|4 (null) sel=-1"}};
    for (size_t k = 0; k < 11; ++k)
        EXPECT_EQ(run.lines[k], printed(expected[k].first) + " " + expected[k].second);
    EXPECT_EQ(readFileBytes(folder.path("shown.trk")), readFileBytes(track));
}

TEST(SpritePanel, FaceDisablesAngleYAndKeepsTheStoredAngle) {
    TempFolder folder;
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) +
                      UiScript()
                          .choose(IDC_SPRITE_NUMBER, 1)
                          .type(IDC_SPRITE_ANGLE, 30)
                          .click(IDC_SPRITE_FACE)
                          .print(IDC_SPRITE_ANGLE) +
                      saveTrackLines(folder, "facing.trk") +
                      UiScript().click(IDC_SPRITE_FACE).print(IDC_SPRITE_ANGLE) +
                      saveTrackLines(folder, "fixed.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.shown(IDC_SPRITE_ANGLE), "30 disabled");
    EXPECT_EQ(run.lines.back(), printed(IDC_SPRITE_ANGLE) + " 30");
    TrackDocument facing, fixed;
    ASSERT_TRUE(facing.loadTrack(folder.path("facing.trk").c_str()));
    ASSERT_TRUE(fixed.loadTrack(folder.path("fixed.trk").c_str()));
    EXPECT_EQ(facing.getBillboardFace(1), 1u);
    EXPECT_EQ(fixed.getBillboardFace(1), 0u);
    EXPECT_EQ(facing.getBillboardAngle(1), 30u);
    EXPECT_EQ(fixed.getBillboardAngle(1), 30u);
}

TEST(SpritePanel, AddBillboardListsOneMoreAndShowsBillboardZero) {
    TempFolder folder;
    std::string track = preparedTrack(folder);
    UiScript script =
        loadTrackLines(track) +
        UiScript().choose(IDC_SPRITE_NUMBER, 2).click(IDC_SPRITE_ADD).print(IDC_SPRITE_NUMBER) +
        kSpriteBoxes + saveTrackLines(folder, "added.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.shown(IDC_SPRITE_NUMBER), "0|1|2|3|4 sel=0");
    EXPECT_EQ(run.shown(IDC_SPRITE_POS_X), "0");
    EXPECT_EQ(run.shown(IDC_SPRITE_SCALE_X), "100");
    EXPECT_EQ(run.shown(IDC_SPRITE_MAP), "0 (null)|1 (null)|2 (null)|3 (null)|4 (null) sel=-1");
    TrackDocument added;
    ASSERT_TRUE(added.loadTrack(folder.path("added.trk").c_str()));
    ASSERT_EQ(added.getBillboardCount(), 5u);
    EXPECT_EQ(added.billboards[4].empty, kSlotUnused);
    EXPECT_EQ(added.getBillboardScaleY(4), 100u);
    EXPECT_EQ(added.getBillboardPosX(2), 11u);
}

// Position alone leaves the billboard undrawn; choosing its map shows it.
TEST(SpritePanel, ABillboardAppearsOnlyOnceItsMapIsChosen) {
    TempFolder folder;
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) + treeAsMapOne() +
                      snapshotLines(folder, "none.png") +
                      UiScript()
                          .choose(IDC_SPRITE_NUMBER, 4)
                          .type(IDC_SPRITE_POS_Z, 500)
                          .type(IDC_SPRITE_POS_Y, 20) +
                      snapshotLines(folder, "placed.png") + UiScript().choose(IDC_SPRITE_MAP, 1) +
                      snapshotLines(folder, "mapped.png");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    Picture none, placed, mapped;
    ASSERT_TRUE(loadPicture(folder.path("none.png"), &none));
    ASSERT_TRUE(loadPicture(folder.path("placed.png"), &placed));
    ASSERT_TRUE(loadPicture(folder.path("mapped.png"), &mapped));
    EXPECT_EQ(differingFraction(none, placed, 0), 0.0);
    EXPECT_GT(differingFraction(placed, mapped, 8), 0.0005);
}

// Without billboards "No.:" has no choice: every command of the panel writes
// nothing, not even at index -1.
TEST(SpritePanel, WithoutBillboardsThePanelWritesNothing) {
    TempFolder folder;
    UiScript script = newTrackLines(4, 4, 3, 0, 0, 0) +
                      UiScript()
                          .type(IDC_SPRITE_POS_X, 7)
                          .type(IDC_SPRITE_SCALE_X, 9)
                          .type(IDC_SPRITE_ANGLE, 5)
                          .click(IDC_SPRITE_FACE)
                          .choose(IDC_SPRITE_MAP, 2) +
                      saveTrackLines(folder, "untouched.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes(), 0) << run.out;
    TrackDocument expected;
    expected.createTrack(4, 4, 3, 0, 0, 0);
    EXPECT_EQ(readFileBytes(folder.path("untouched.trk")), savedBytes(expected, folder));
}

}  // namespace
