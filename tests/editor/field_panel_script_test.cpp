// The Fields panel played by a scripted user on the real program.
#include <gtest/gtest.h>

#include <string>

#include "panel_script.h"
#include "program_run.h"
#include "track_document.h"

namespace {

const char kMapLists[] = "print 1021\nprint 1031\nprint 1033\nprint 1035\n";

TEST(FieldPanel, SetChangesRecord32AndNothingElse) {
    TempFolder folder;
    std::string script = newTrackLines(10, 10, 5, 5, 20, 1) +
                         "type 1010 2\ntype 1011 3\nchoose 1021 4\nclick 1054\nchoose 1046 1\n"
                         "click 1022\n" +
                         saveTrackLines(folder, "set.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox"), 0) << run.out;

    TrackDocument expected;
    expected.createTrack(10, 10, 5, 5, 20, 1);
    Field& cell = expected.fields[32];
    cell.empty = kSlotUsed;
    cell.map = 4;
    cell.shape = 1;
    cell.orientation = 1;
    EXPECT_EQ(readFileBytes(folder.path("set.trk")), savedBytes(expected, folder));
}

// Shape and orientation alone change nothing; Set All then gives every cell
// the ramp and the map chosen at that moment.
TEST(FieldPanel, SetAllGivesEveryCellTheSlopeAndTheChosenMap) {
    TempFolder folder;
    std::string script = newTrackLines(4, 3, 3, 0, 0, 0) + "click 1052\nchoose 1046 3\n" +
                         saveTrackLines(folder, "before.trk") + "choose 1021 2\nclick 1024\n" +
                         saveTrackLines(folder, "all.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;

    TrackDocument expected;
    expected.createTrack(4, 3, 3, 0, 0, 0);
    EXPECT_EQ(readFileBytes(folder.path("before.trk")), savedBytes(expected, folder));
    for (DWORD j = 0; j < 3; ++j)
        for (DWORD i = 0; i < 4; ++i) {
            expected.setFieldMap(i, j, 2);
            expected.setFieldShape(i, j, 2);
            expected.setFieldOrientation(i, j, 3);
        }
    EXPECT_EQ(readFileBytes(folder.path("all.trk")), savedBytes(expected, folder));
}

// The marked cell follows every keystroke in I or J, before any Set, and
// nothing in the track changes.
TEST(FieldPanel, TypingIOrJMovesTheMarkedCellWithoutSet) {
    TempFolder folder;
    std::string script = newTrackLines(10, 10, 5, 5, 20, 1) +
                         "click 1024\nclick 1029\nclick 1029\n" + snapshotLines(folder, "at0.png") +
                         saveTrackLines(folder, "before.trk") + "type 1011 3\n" +
                         snapshotLines(folder, "at3.png") + "type 1011 0\n" +
                         snapshotLines(folder, "back.png") + saveTrackLines(folder, "after.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    Picture at0, at3, back;
    ASSERT_TRUE(loadPicture(folder.path("at0.png"), &at0));
    ASSERT_TRUE(loadPicture(folder.path("at3.png"), &at3));
    ASSERT_TRUE(loadPicture(folder.path("back.png"), &back));
    EXPECT_GT(differingFraction(at0, at3, 8), 0.001);
    EXPECT_EQ(differingFraction(at0, back, 0), 0.0);
    EXPECT_EQ(readFileBytes(folder.path("before.trk")), readFileBytes(folder.path("after.trk")));
}

TEST(FieldPanel, AddMapGivesTheThreeListsSixEntriesAndLeavesMapWithFive) {
    TempFolder folder;
    std::string script = newTrackLines(10, 10, 5, 5, 20, 1) + "choose 1031 2\nchoose 1033 4\n" +
                         "choose 1021 3\nclick 1032\n" + kMapLists + "choose 1021 5\nanswer-file " +
                         testDataPath("road.bmp") + "\nclick 1015\nprint 1021\nprint 1035\n";
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const std::string six = "0 (null)|1 (null)|2 (null)|3 (null)|4 (null)|5 (null)";
    EXPECT_EQ(run.line("1021:"), "1021: " + six + " sel=0");
    EXPECT_EQ(run.line("1031:"), "1031: " + six + " sel=2");
    EXPECT_EQ(run.line("1033:"), "1033: " + six + " sel=4");
    EXPECT_EQ(run.line("1035:"), "1035: 0|1|2|3|4 sel=0");
    // The new map has no "Map:" entry to rename, and Browse adds none.
    EXPECT_EQ(run.lines.back(), "1035: 0|1|2|3|4 sel=0");
    EXPECT_EQ(run.line("1021: 0 (null)|1 (null)|2 (null)|3 (null)|4 (null)|5 road.bmp"),
              "1021: 0 (null)|1 (null)|2 (null)|3 (null)|4 (null)|5 road.bmp sel=5");
}

TEST(FieldPanel, BrowseRenamesTheEntryInAllFourListsAndKeepsTheirChoices) {
    TempFolder folder;
    std::string script = newTrackLines(10, 10, 5, 5, 20, 1) +
                         "choose 1031 3\nchoose 1033 1\nchoose 1035 4\nchoose 1021 2\n"
                         "answer-file " +
                         testDataPath("grass.bmp") + "\nclick 1015\n" + kMapLists +
                         saveTrackLines(folder, "named.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const std::string lists = "0|1|2 grass.bmp|3|4";
    EXPECT_EQ(run.line("1021:"), "1021: " + lists + " sel=2");
    EXPECT_EQ(run.line("1031:"), "1031: " + lists + " sel=3");
    EXPECT_EQ(run.line("1033:"), "1033: " + lists + " sel=1");
    EXPECT_EQ(run.line("1035:"), "1035: " + lists + " sel=4");
    TrackDocument doc;
    ASSERT_TRUE(doc.loadTrack(folder.path("named.trk").c_str()));
    EXPECT_STREQ(doc.getMapName(2), "grass.bmp");
    EXPECT_EQ(doc.getBorderMap(), 3u);
    EXPECT_EQ(doc.getBackgroundMap(), 1u);
}

// Every refusal says why and leaves the saved track exactly as New made it.
TEST(FieldPanel, RefusedSetsWriteNothingAndSayWhy) {
    TempFolder folder;
    std::string script = newTrackLines(10, 10, 5, 5, 20, 1) +
                         "choose 1021 1\ntype 1010 10\nclick 1022\n"
                         "type 1010 0\ntype 1011 4000000000\nclick 1022\n" +
                         saveTrackLines(folder, "outside.trk") + newTrackLines(3, 3, 0, 0, 0, 0) +
                         "type 1011 0\nclick 1022\nclick 1024\nclick 1015\n" +
                         saveTrackLines(folder, "nomap.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox: Kelvane: Field I 10, J 0 lies outside the 10 x 10 grid"), 1)
        << run.out;
    EXPECT_EQ(run.count("MessageBox: Kelvane: Field I 0, J 2147483647 lies outside"), 1) << run.out;
    EXPECT_EQ(run.count("MessageBox: Kelvane: Choose a map in the Fields list first"), 2)
        << run.out;
    EXPECT_EQ(run.count("MessageBox"), 4) << run.out;
    TrackDocument expected;
    expected.createTrack(10, 10, 5, 5, 20, 1);
    EXPECT_EQ(readFileBytes(folder.path("outside.trk")), savedBytes(expected, folder));
    TrackDocument empty;
    empty.createTrack(3, 3, 0, 0, 0, 0);
    EXPECT_EQ(readFileBytes(folder.path("nomap.trk")), savedBytes(empty, folder));
}

// Map 256 has no texture slot and a 64-character name no map slot: both are
// refused with a message, and neither the track nor the lists change.
TEST(FieldPanel, BrowseRefusesMapsWithoutASlotAndOverlongNames) {
    TempFolder folder;
    std::string longName = std::string(60, 'g') + ".bmp";
    std::string script = newTrackLines(2, 2, 300, 0, 0, 0) + "choose 1021 256\nclick 1015\n" +
                         "choose 1021 255\nanswer-file " + folder.path(longName) +
                         "\nclick 1015\nprint 1021\n" + saveTrackLines(folder, "refused.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox: Kelvane: Map 256 cannot get a picture"), 1) << run.out;
    EXPECT_EQ(run.count("MessageBox: Kelvane: The file name \"" + longName +
                        "\" is longer than the 63 characters a map can hold"),
              1)
        << run.out;
    EXPECT_NE(run.line("1021:").find("|255|256|"), std::string::npos);
    TrackDocument expected;
    expected.createTrack(2, 2, 300, 0, 0, 0);
    EXPECT_EQ(readFileBytes(folder.path("refused.trk")), savedBytes(expected, folder));
}

}  // namespace
