// The Fields panel played by a scripted user on the real program.
#include <gtest/gtest.h>

#include <string>

#include "panel_script.h"
#include "track_document.h"

namespace {

const UiScript kMapLists = UiScript()
                               .print(IDC_FIELD_MAPS)
                               .print(IDC_BORDER_MAP)
                               .print(IDC_BACKGROUND_MAP)
                               .print(IDC_SPRITE_MAP);

TEST(FieldPanel, SetChangesRecord32AndNothingElse) {
    TempFolder folder;
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) +
                      UiScript()
                          .type(IDC_FIELD_I, 2)
                          .type(IDC_FIELD_J, 3)
                          .choose(IDC_FIELD_MAPS, 4)
                          .click(IDC_SHAPE_TOP)
                          .choose(IDC_FIELD_ORIENTATION, 1)
                          .click(IDC_FIELD_SET) +
                      saveTrackLines(folder, "set.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes(), 0) << run.out;

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
    UiScript script = newTrackLines(4, 3, 3, 0, 0, 0) +
                      UiScript().click(IDC_SHAPE_SLOPE).choose(IDC_FIELD_ORIENTATION, 3) +
                      saveTrackLines(folder, "before.trk") +
                      UiScript().choose(IDC_FIELD_MAPS, 2).click(IDC_FIELD_SET_ALL) +
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
    UiScript script =
        newTrackLines(10, 10, 5, 5, 20, 1) +
        UiScript().click(IDC_FIELD_SET_ALL).click(IDC_CAMERA_FORWARD).click(IDC_CAMERA_FORWARD) +
        snapshotLines(folder, "at0.png") + saveTrackLines(folder, "before.trk") +
        UiScript().type(IDC_FIELD_J, 3) + snapshotLines(folder, "at3.png") +
        UiScript().type(IDC_FIELD_J, 0) + snapshotLines(folder, "back.png") +
        saveTrackLines(folder, "after.trk");
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
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) +
                      UiScript()
                          .choose(IDC_BORDER_MAP, 2)
                          .choose(IDC_BACKGROUND_MAP, 4)
                          .choose(IDC_FIELD_MAPS, 3)
                          .click(IDC_FIELD_ADD_MAP) +
                      kMapLists +
                      UiScript()
                          .choose(IDC_FIELD_MAPS, 5)
                          .answerFile(testDataPath("road.bmp"))
                          .click(IDC_FIELD_BROWSE)
                          .print(IDC_FIELD_MAPS)
                          .print(IDC_SPRITE_MAP);
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const std::string six = "0 (null)|1 (null)|2 (null)|3 (null)|4 (null)|5 (null)";
    EXPECT_EQ(run.shown(IDC_FIELD_MAPS), six + " sel=0");
    EXPECT_EQ(run.shown(IDC_BORDER_MAP), six + " sel=2");
    EXPECT_EQ(run.shown(IDC_BACKGROUND_MAP), six + " sel=4");
    EXPECT_EQ(run.shown(IDC_SPRITE_MAP), "0|1|2|3|4 sel=0");
    // The new map has no "Map:" entry to rename, and Browse adds none.
    EXPECT_EQ(run.lines.back(), printed(IDC_SPRITE_MAP) + " 0|1|2|3|4 sel=0");
    EXPECT_EQ(
        run.lines[run.lines.size() - 2],
        printed(IDC_FIELD_MAPS) + " 0 (null)|1 (null)|2 (null)|3 (null)|4 (null)|5 road.bmp sel=5");
}

TEST(FieldPanel, BrowseRenamesTheEntryInAllFourListsAndKeepsTheirChoices) {
    TempFolder folder;
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) +
                      UiScript()
                          .choose(IDC_BORDER_MAP, 3)
                          .choose(IDC_BACKGROUND_MAP, 1)
                          .choose(IDC_SPRITE_MAP, 4)
                          .choose(IDC_FIELD_MAPS, 2)
                          .answerFile(testDataPath("grass.bmp"))
                          .click(IDC_FIELD_BROWSE) +
                      kMapLists + saveTrackLines(folder, "named.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const std::string lists = "0|1|2 grass.bmp|3|4";
    EXPECT_EQ(run.shown(IDC_FIELD_MAPS), lists + " sel=2");
    EXPECT_EQ(run.shown(IDC_BORDER_MAP), lists + " sel=3");
    EXPECT_EQ(run.shown(IDC_BACKGROUND_MAP), lists + " sel=1");
    EXPECT_EQ(run.shown(IDC_SPRITE_MAP), lists + " sel=4");
    TrackDocument doc;
    ASSERT_TRUE(doc.loadTrack(folder.path("named.trk").c_str()));
    EXPECT_STREQ(doc.getMapName(2), "grass.bmp");
    EXPECT_EQ(doc.getBorderMap(), 3u);
    EXPECT_EQ(doc.getBackgroundMap(), 1u);
}

// Every refusal says why and leaves the saved track exactly as New made it.
TEST(FieldPanel, RefusedSetsWriteNothingAndSayWhy) {
    TempFolder folder;
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) +
                      UiScript()
                          .choose(IDC_FIELD_MAPS, 1)
                          .type(IDC_FIELD_I, 10)
                          .click(IDC_FIELD_SET)
                          .type(IDC_FIELD_I, 0)
                          .type(IDC_FIELD_J, "4000000000")
                          .click(IDC_FIELD_SET) +
                      saveTrackLines(folder, "outside.trk") + newTrackLines(3, 3, 0, 0, 0, 0) +
                      UiScript()
                          .type(IDC_FIELD_J, 0)
                          .click(IDC_FIELD_SET)
                          .click(IDC_FIELD_SET_ALL)
                          .click(IDC_FIELD_BROWSE) +
                      saveTrackLines(folder, "nomap.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes("Kelvane: Field I 10, J 0 lies outside the 10 x 10 grid"), 1) << run.out;
    EXPECT_EQ(run.boxes("Kelvane: Field I 0, J 2147483647 lies outside"), 1) << run.out;
    EXPECT_EQ(run.boxes("Kelvane: Choose a map in the Fields list first"), 2) << run.out;
    EXPECT_EQ(run.boxes(), 4) << run.out;
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
    UiScript script = newTrackLines(2, 2, 300, 0, 0, 0) +
                      UiScript()
                          .choose(IDC_FIELD_MAPS, 256)
                          .click(IDC_FIELD_BROWSE)
                          .choose(IDC_FIELD_MAPS, 255)
                          .answerFile(folder.path(longName))
                          .click(IDC_FIELD_BROWSE)
                          .print(IDC_FIELD_MAPS) +
                      saveTrackLines(folder, "refused.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes("Kelvane: Map 256 cannot get a picture"), 1) << run.out;
    EXPECT_EQ(run.boxes("Kelvane: The file name \"" + longName +
                        "\" is longer than the 63 characters a map can hold"),
              1)
        << run.out;
    EXPECT_NE(run.shown(IDC_FIELD_MAPS).find("|255|256|"), std::string::npos);
    TrackDocument expected;
    expected.createTrack(2, 2, 300, 0, 0, 0);
    EXPECT_EQ(readFileBytes(folder.path("refused.trk")), savedBytes(expected, folder));
}

}  // namespace
