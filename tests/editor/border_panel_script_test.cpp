// The Borders, Border and Background panels played by a scripted user on the
// real program.
#include <gtest/gtest.h>

#include <string>

#include "panel_script.h"
#include "track_document.h"

namespace {

const UiScript kBorderBoxes = UiScript()
                                  .print(IDC_BORDER_X1)
                                  .print(IDC_BORDER_Z1)
                                  .print(IDC_BORDER_X2)
                                  .print(IDC_BORDER_Z2)
                                  .print(IDC_BORDER_TOP)
                                  .print(IDC_BORDER_BOTTOM)
                                  .print(IDC_BORDER_TYPE);

// A border in front of the start camera: it stands across its view.
const UiScript kVisibleBorder = UiScript()
                                    .type(IDC_BORDER_X1, 800)
                                    .type(IDC_BORDER_Z1, 300)
                                    .type(IDC_BORDER_Z2, 700)
                                    .type(IDC_BORDER_TOP, 150);

std::string preparedTrack(const TempFolder& folder) {
    TrackDocument doc;
    doc.createTrack(10, 10, 5, 0, 20, 0);
    Border& b = doc.borders[7];
    b = Border{kSlotUsed, 2, 11, 12, 13, 14, 15, 16, 0};
    doc.setBorderTop(3, 90);
    doc.setBorderBottom(3, 10);
    doc.setBorderType(3, 1);
    std::string path = folder.path("prepared.trk");
    doc.saveTrack(path.c_str());
    return path;
}

// 3, 30 and 300 are written in turn; the first of them makes border 4 used
// and therefore drawn.
TEST(BorderPanel, TypingPosX2WritesEveryPrefixAndShowsTheBorder) {
    TempFolder folder;
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) + snapshotLines(folder, "none.png") +
                      UiScript().choose(IDC_BORDER_LIST, 4);
    for (const char* prefix : {"3", "30", "300"})
        script += UiScript().type(IDC_BORDER_X2, prefix) +
                  saveTrackLines(folder, std::string("x") + prefix + ".trk");
    // Border 0 is chosen last: the chosen border is white, like the untextured
    // background, and border 4 must show in red.
    script +=
        UiScript().type(IDC_BORDER_Z1, 500).type(IDC_BORDER_TOP, 200).choose(IDC_BORDER_LIST, 0) +
        snapshotLines(folder, "shown.png");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const DWORD typed[] = {3, 30, 300};
    const char* files[] = {"x3.trk", "x30.trk", "x300.trk"};
    for (int k = 0; k < 3; ++k) {
        TrackDocument doc;
        ASSERT_TRUE(doc.loadTrack(folder.path(files[k]).c_str()));
        EXPECT_EQ(doc.borders[4].x2, typed[k]);
        EXPECT_EQ(doc.borders[4].empty, kSlotUsed);
        EXPECT_EQ(doc.borders[3].empty, kSlotUnused);
    }
    Picture none, shown;
    ASSERT_TRUE(loadPicture(folder.path("none.png"), &none));
    ASSERT_TRUE(loadPicture(folder.path("shown.png"), &shown));
    EXPECT_GT(differingFraction(none, shown, 8), 0.0005);
}

TEST(BorderPanel, StopTimeTypeAloneKeepsABorderInvisible) {
    TempFolder folder;
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) + snapshotLines(folder, "none.png") +
                      UiScript().choose(IDC_BORDER_LIST, 2).choose(IDC_BORDER_TYPE, 2) +
                      snapshotLines(folder, "typed.png") + saveTrackLines(folder, "typed.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    Picture none, typed;
    ASSERT_TRUE(loadPicture(folder.path("none.png"), &none));
    ASSERT_TRUE(loadPicture(folder.path("typed.png"), &typed));
    EXPECT_EQ(differingFraction(none, typed, 0), 0.0);
    TrackDocument expected;
    expected.createTrack(10, 10, 5, 5, 20, 1);
    expected.setBorderType(2, 2);
    EXPECT_EQ(readFileBytes(folder.path("typed.trk")), savedBytes(expected, folder));
}

TEST(BorderPanel, ChoosingABorderShowsItsValuesAndTypeAndChangesNothing) {
    TempFolder folder;
    std::string track = preparedTrack(folder);
    UiScript script = loadTrackLines(track) + UiScript().choose(IDC_BORDER_LIST, 7) + kBorderBoxes +
                      saveTrackLines(folder, "shown.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_EQ(run.lines.size(), 7u) << run.out;
    const std::pair<int, const char*> expected[] = {
        {IDC_BORDER_X1, "11"},
        {IDC_BORDER_Z1, "12"},
        {IDC_BORDER_X2, "13"},
        {IDC_BORDER_Z2, "14"},
        {IDC_BORDER_TOP, "15"},
        {IDC_BORDER_BOTTOM, "16"},
        {IDC_BORDER_TYPE, "Normal Border|Start Time Border|Stop Time Border sel=2"}};
    for (size_t k = 0; k < 7; ++k)
        EXPECT_EQ(run.lines[k], printed(expected[k].first) + " " + expected[k].second);
    EXPECT_EQ(readFileBytes(folder.path("shown.trk")), readFileBytes(track));
}

// Only the ground points follow border 0; heights and type keep showing
// border 3.
TEST(BorderPanel, AddBorderListsOneMoreAndRewritesOnlyTheGroundPoints) {
    TempFolder folder;
    std::string track = preparedTrack(folder);
    UiScript script =
        loadTrackLines(track) +
        UiScript().choose(IDC_BORDER_LIST, 3).click(IDC_BORDER_ADD).print(IDC_BORDER_LIST) +
        kBorderBoxes + saveTrackLines(folder, "added.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::string list = "0";
    for (int i = 1; i <= 20; ++i) list += "|" + std::to_string(i);
    EXPECT_EQ(run.shown(IDC_BORDER_LIST), list + " sel=0");
    EXPECT_EQ(run.shown(IDC_BORDER_X1), "0");
    EXPECT_EQ(run.shown(IDC_BORDER_TOP), "90");
    EXPECT_EQ(run.shown(IDC_BORDER_BOTTOM), "10");
    EXPECT_EQ(run.shown(IDC_BORDER_TYPE), "Normal Border|Start Time Border|Stop Time Border sel=1");
    TrackDocument added;
    ASSERT_TRUE(added.loadTrack(folder.path("added.trk").c_str()));
    ASSERT_EQ(added.getBorderCount(), 21u);
    EXPECT_EQ(added.borders[20].empty, kSlotUnused);
    EXPECT_EQ(added.borders[7].x1, 11u);
}

// The box only switches the border pass: the document stays as it was.
TEST(BorderPanel, ShowBordersHidesAndBringsBackEveryBorder) {
    TempFolder folder;
    UiScript showBorders = UiScript().click(IDC_SHOW_BORDERS);
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) + snapshotLines(folder, "none.png") +
                      UiScript().choose(IDC_BORDER_LIST, 1) + kVisibleBorder +
                      UiScript().choose(IDC_BORDER_LIST, 0) + snapshotLines(folder, "on.png") +
                      saveTrackLines(folder, "on.trk") + showBorders +
                      snapshotLines(folder, "off.png") + showBorders +
                      snapshotLines(folder, "again.png") + saveTrackLines(folder, "again.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    Picture none, on, off, again;
    ASSERT_TRUE(loadPicture(folder.path("none.png"), &none));
    ASSERT_TRUE(loadPicture(folder.path("on.png"), &on));
    ASSERT_TRUE(loadPicture(folder.path("off.png"), &off));
    ASSERT_TRUE(loadPicture(folder.path("again.png"), &again));
    EXPECT_GT(differingFraction(none, on, 8), 0.0005);
    EXPECT_EQ(differingFraction(none, off, 0), 0.0);
    EXPECT_EQ(differingFraction(on, again, 0), 0.0);
    EXPECT_EQ(readFileBytes(folder.path("on.trk")), readFileBytes(folder.path("again.trk")));
}

TEST(BorderPanel, BackgroundMapThreeRepaintsWithMapThree) {
    TempFolder folder;
    UiScript script = newTrackLines(10, 10, 5, 5, 20, 1) +
                      UiScript()
                          .choose(IDC_FIELD_MAPS, 3)
                          .answerFile(testDataPath("sky.bmp"))
                          .click(IDC_FIELD_BROWSE) +
                      snapshotLines(folder, "plain.png") +
                      UiScript().choose(IDC_BACKGROUND_MAP, 3) + snapshotLines(folder, "sky.png") +
                      saveTrackLines(folder, "sky.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    Picture plain, sky;
    ASSERT_TRUE(loadPicture(folder.path("plain.png"), &plain));
    ASSERT_TRUE(loadPicture(folder.path("sky.png"), &sky));
    EXPECT_GT(differingFraction(plain, sky, 8), 0.5);
    TrackDocument doc;
    ASSERT_TRUE(doc.loadTrack(folder.path("sky.trk").c_str()));
    EXPECT_EQ(doc.getBackgroundMap(), 3u);
    EXPECT_EQ(doc.getBorderMap(), 0u);
}

// A track without borders or maps: the boxes, the type and both map lists
// write nothing, so no border index -1 and no map that does not exist.
TEST(BorderPanel, WithoutBordersOrMapsThePanelsWriteNothing) {
    TempFolder folder;
    UiScript script =
        newTrackLines(3, 3, 0, 0, 0, 0) + kVisibleBorder +
        UiScript().choose(IDC_BORDER_TYPE, 1).click(IDC_SHOW_BORDERS).click(IDC_SHOW_BORDERS) +
        saveTrackLines(folder, "untouched.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes(), 0) << run.out;
    TrackDocument expected;
    expected.createTrack(3, 3, 0, 0, 0, 0);
    EXPECT_EQ(readFileBytes(folder.path("untouched.trk")), savedBytes(expected, folder));
}

}  // namespace
