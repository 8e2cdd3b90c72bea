// The Sprites panel played by a scripted user on the real program.
#include <gtest/gtest.h>

#include <string>

#include "panel_script.h"
#include "program_run.h"
#include "track_document.h"

namespace {

const char kSpriteBoxes[] =
    "print 1012\nprint 1013\nprint 1014\nprint 1016\nprint 1017\nprint 1018\nprint 1035\n"
    "print 1037\n";

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
    std::string script = newTrackLines(10, 10, 5, 5, 20, 1) + "choose 1021 1\nanswer-file " +
                         testDataPath("tree.tga") + "\nclick 1015\n" +
                         "choose 1034 3\nchoose 1035 1\ntype 1014 500\n" +
                         snapshotLines(folder, "x0.png");
    for (const char* prefix : {"2", "25", "250"}) {
        script += std::string("type 1012 ") + prefix + "\n" +
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
    std::string script = loadTrackLines(track) + "choose 1034 2\n" + kSpriteBoxes +
                         "choose 1034 1\nprint 1018\nprint 1037\nprint 1035\n" +
                         saveTrackLines(folder, "shown.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_GE(run.lines.size(), 11u) << run.out;
    const char* expected[] = {"1012: 11",
                              "1013: 22",
                              "1014: 33",
                              "1016: 44",
                              "1017: 55",
                              "1018: 66",
                              "1035: 0 (null)|1 (null)|2 (null)|3 (null)|4 (null) sel=3",
                              "1037: unchecked",
                              "1018: 45 disabled",
                              "1037: checked",
                              "1035: 0 (null)|1 (null)|2 (null)|3 (null)|4 (null) sel=-1"};
    for (size_t k = 0; k < 11; ++k) EXPECT_EQ(run.lines[k], expected[k]);
    EXPECT_EQ(readFileBytes(folder.path("shown.trk")), readFileBytes(track));
}

TEST(SpritePanel, FaceDisablesAngleYAndKeepsTheStoredAngle) {
    TempFolder folder;
    std::string script = newTrackLines(10, 10, 5, 5, 20, 1) +
                         "choose 1034 1\ntype 1018 30\nclick 1037\nprint 1018\n" +
                         saveTrackLines(folder, "facing.trk") + "click 1037\nprint 1018\n" +
                         saveTrackLines(folder, "fixed.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.line("1018:"), "1018: 30 disabled");
    EXPECT_EQ(run.lines.back(), "1018: 30");
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
    std::string script = loadTrackLines(track) + "choose 1034 2\nclick 1042\nprint 1034\n" +
                         kSpriteBoxes + saveTrackLines(folder, "added.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.line("1034:"), "1034: 0|1|2|3|4 sel=0");
    EXPECT_EQ(run.line("1012:"), "1012: 0");
    EXPECT_EQ(run.line("1016:"), "1016: 100");
    EXPECT_EQ(run.line("1035:"), "1035: 0 (null)|1 (null)|2 (null)|3 (null)|4 (null) sel=-1");
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
    std::string script =
        newTrackLines(10, 10, 5, 5, 20, 1) + "choose 1021 1\nanswer-file " +
        testDataPath("tree.tga") + "\nclick 1015\n" + snapshotLines(folder, "none.png") +
        "choose 1034 4\ntype 1014 500\ntype 1013 20\n" + snapshotLines(folder, "placed.png") +
        "choose 1035 1\n" + snapshotLines(folder, "mapped.png");
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
    std::string script = newTrackLines(4, 4, 3, 0, 0, 0) +
                         "type 1012 7\ntype 1016 9\ntype 1018 5\nclick 1037\nchoose 1035 2\n" +
                         saveTrackLines(folder, "untouched.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox"), 0) << run.out;
    TrackDocument expected;
    expected.createTrack(4, 4, 3, 0, 0, 0);
    EXPECT_EQ(readFileBytes(folder.path("untouched.trk")), savedBytes(expected, folder));
}

}  // namespace
