// Pointing, painting and driving in the Preview, played by a scripted user
// on the real program: the click chooses what the frame shows under the
// cursor, painting writes the same bytes as Set, keys stay in the Preview.
#include <gtest/gtest.h>

#include <string>

#include "frame.h"
#include "panel_script.h"
#include "pick.h"
#include "program_run.h"
#include "track_document.h"

namespace {

// The Preview's client area, where its frames are drawn.
const int kPreviewWidth = 634;
const int kPreviewHeight = 451;

const Camera kStartCamera = {3.14f, 1500.0f, 200.0f, 500.0f, 10.0f};

// "X Y" of the client pixel where a world point is drawn.
std::string pixelOf(const TrackDocument& track, bool topView, float x, float y, float z,
                    int nudgeY = 0) {
    FrameView seen = frameView(track, kStartCamera, topView, kPreviewWidth, kPreviewHeight);
    double px = -1, py = -1;
    EXPECT_TRUE(projectToPixel(seen.view, seen.projection, kPreviewWidth, kPreviewHeight,
                               D3DXVECTOR3(x, y, z), &px, &py));
    return std::to_string(int(px)) + " " + std::to_string(int(py) + nudgeY);
}

std::string cellPixel(const TrackDocument& track, bool topView, DWORD i, DWORD j) {
    return pixelOf(track, topView, i * 100.0f + 50.0f, 0.0f, j * 100.0f + 50.0f);
}

TEST(PreviewInput, AClickChoosesTheCellUnderItAndTheSkyNothing) {
    TempFolder folder;
    TrackDocument track;
    track.createTrack(10, 10, 2, 0, 0, 0);
    const UiScript printCell = UiScript().print(IDC_FIELD_I).print(IDC_FIELD_J);
    std::string script = newTrackLines(10, 10, 2, 0, 0, 0) + UiScript().click(IDC_FIELD_SET_ALL) +
                         "mouse down " + cellPixel(track, false, 5, 3) + "\nmouse up " +
                         cellPixel(track, false, 5, 3) + "\n" + printCell +
                         "mouse down 300 2\nmouse up 300 2\n" + printCell +
                         "keydown T\nmouse down " + cellPixel(track, true, 8, 1) + "\n" + printCell;
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    auto cell = [](const char* i, const char* j) {
        return printed(IDC_FIELD_I) + " " + i + "\n" + printed(IDC_FIELD_J) + " " + j + "\n";
    };
    EXPECT_EQ(run.out, cell("5", "3")          // the cell under the cursor
                           + cell("5", "3")    // the sky: nothing changes
                           + cell("8", "1"));  // the same in the top view
}

TEST(PreviewInput, ClicksOnABillboardAndABorderChooseThemInTheirPanels) {
    TempFolder folder;
    TrackDocument track;
    track.createTrack(10, 10, 1, 2, 2, 0);
    // Billboard 1 over cell (5, 5), facing +X towards the camera; border 1
    // upright along X = 300 from Z = 200 to 800.
    std::string script = newTrackLines(10, 10, 1, 2, 2, 0) +
                         UiScript()
                             .click(IDC_FIELD_SET_ALL)
                             .choose(IDC_SPRITE_NUMBER, 1)
                             .choose(IDC_SPRITE_MAP, 0)
                             .type(IDC_SPRITE_POS_X, 500)
                             .type(IDC_SPRITE_POS_Z, 500)
                             .choose(IDC_SPRITE_NUMBER, 0)
                             .choose(IDC_BORDER_LIST, 1)
                             .type(IDC_BORDER_X1, 300)
                             .type(IDC_BORDER_Z1, 200)
                             .type(IDC_BORDER_X2, 300)
                             .type(IDC_BORDER_Z2, 800)
                             .type(IDC_BORDER_TOP, 100)
                             .choose(IDC_BORDER_LIST, 0) +
                         "mouse down " + pixelOf(track, false, 500, 50, 500) + "\n" +
                         UiScript().print(IDC_SPRITE_NUMBER) + "mouse down " +
                         pixelOf(track, false, 300, 100, 650, 1) + "\n" +
                         UiScript().print(IDC_BORDER_LIST);
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.shown(IDC_SPRITE_NUMBER).find("sel=1"), std::string::npos) << run.out;
    EXPECT_NE(run.shown(IDC_BORDER_LIST).find("sel=1"), std::string::npos) << run.out;
}

// Placement 1 is the block of block.x, ten times its size (100 units on a
// side) standing on cell (5, 5): a click on its face towards the camera
// chooses it in the mesh list; one on the ground beside it does not.
TEST(PreviewInput, AClickOnAPlacedMeshChoosesItInTheMeshList) {
    TempFolder folder;
    ASSERT_TRUE(copyTestData(folder));
    TrackDocument track;
    track.createTrack(10, 10, 1, 0, 0, 3);
    track.setMeshFile(1, "block.x");
    track.setMeshPosX(1, 550);
    track.setMeshPosZ(1, 550);
    track.setMeshScale(1, 100);
    const std::string path = folder.path("block.trk");
    ASSERT_TRUE(track.saveTrack(path.c_str()));
    std::string script = loadTrackLines(path) + "choose 1065 2\nmouse down " +
                         pixelOf(track, false, 600, 50, 550) + "\nprint 1065\n" +
                         "choose 1065 2\nmouse down " + pixelOf(track, false, 700, 0, 300) +
                         "\nprint 1065\n";
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_EQ(run.count("1065:"), 2) << run.out;
    EXPECT_NE(run.out.find("sel=1"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.rfind("sel=1"), run.out.find("sel=1")) << run.out;
}

// In the top view: map 1, Top, 90 degrees; Ctrl-drag along row 3 from
// column 1 to column 6, then a Shift rectangle from (2, 6) to (4, 8).
TEST(PreviewInput, PaintingSetsTheCellsPassedAndTheRectangleAsSetWould) {
    TempFolder folder;
    TrackDocument track;
    track.createTrack(10, 10, 3, 0, 0, 0);
    std::string script =
        newTrackLines(10, 10, 3, 0, 0, 0) +
        UiScript()
            .choose(IDC_FIELD_MAPS, 1)
            .click(IDC_SHAPE_TOP)
            .choose(IDC_FIELD_ORIENTATION, 1)
            .line("keydown T") +
        "mouse down " + cellPixel(track, true, 1, 3) + " ctrl\n" + "mouse move " +
        cellPixel(track, true, 6, 3) + " ctrl\n" + "mouse up " + cellPixel(track, true, 6, 3) +
        " ctrl\n" + saveTrackLines(folder, "row.trk") + "mouse down " +
        cellPixel(track, true, 2, 6) + " shift\n" + "mouse move " + cellPixel(track, true, 4, 8) +
        " shift\n" + "mouse up " + cellPixel(track, true, 4, 8) + " shift\n" +
        saveTrackLines(folder, "rectangle.trk") + UiScript().print(IDC_FIELD_I).print(IDC_FIELD_J) +
        // A release that no move reached still ends the stroke there.
        "mouse down " + cellPixel(track, true, 7, 0) + " ctrl\n" + "mouse up " +
        cellPixel(track, true, 9, 1) + " ctrl\n" + saveTrackLines(folder, "quick.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes(), 0) << run.out;
    EXPECT_EQ(run.shown(IDC_FIELD_I), "4");
    EXPECT_EQ(run.shown(IDC_FIELD_J), "8");
    auto set = [&track](DWORD i, DWORD j) {
        track.setFieldMap(i, j, 1);
        track.setFieldShape(i, j, 1);
        track.setFieldOrientation(i, j, 1);
    };
    for (DWORD i = 1; i <= 6; ++i) set(i, 3);
    EXPECT_TRUE(readFileBytes(folder.path("row.trk")) == savedBytes(track, folder));
    for (DWORD j = 6; j <= 8; ++j)
        for (DWORD i = 2; i <= 4; ++i) set(i, j);
    EXPECT_TRUE(readFileBytes(folder.path("rectangle.trk")) == savedBytes(track, folder));
    // From (7, 0) to (9, 1) the stroke goes from side to side, never
    // across a corner, so no cell the cursor touched is left out.
    for (DWORD i = 7; i <= 9; ++i) set(i, 0);
    set(9, 1);
    EXPECT_TRUE(readFileBytes(folder.path("quick.trk")) == savedBytes(track, folder));
}

// No map to paint with: Set's own refusal, once, and nothing written.
TEST(PreviewInput, PaintingWithoutAMapIsRefusedAsSetIs) {
    TempFolder folder;
    TrackDocument track;
    track.createTrack(6, 6, 0, 0, 0, 0);
    std::string script = newTrackLines(6, 6, 0, 0, 0, 0) + "keydown T\n" + "mouse down " +
                         cellPixel(track, true, 1, 1) + " ctrl\n" + "mouse move " +
                         cellPixel(track, true, 4, 1) + " ctrl\n" + "mouse up " +
                         cellPixel(track, true, 4, 1) + " ctrl\n" +
                         saveTrackLines(folder, "refused.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes("Kelvane: Choose a map in the Fields list first; nothing was set."), 1)
        << run.out;
    EXPECT_TRUE(readFileBytes(folder.path("refused.trk")) == savedBytes(track, folder));
}

// Keys typed with the Preview focused reach the Preview only; a held key
// moves the camera the same way on every run.
TEST(PreviewInput, KeysStayInThePreviewAndHeldKeysAreDeterministic) {
    TempFolder folder;
    std::string script = newTrackLines(10, 10, 1, 0, 2, 0) +
                         UiScript().click(IDC_FIELD_SET_ALL).type(IDC_FIELD_I, 5) +
                         "keydown Left\nkeyup Left\nkeydown A 3\nkeyup A\nkeydown B\nkeyup B\n" +
                         "keydown Tab\nkeydown Enter\n" +
                         UiScript().print(IDC_FIELD_I).print(IDC_BORDER_LIST) +
                         snapshotLines(folder, "before.png") + "keydown Home\n" +
                         "keydown Up 30\nkeyup Up\n" + snapshotLines(folder, "walked.png");
    ProgramRun first = runKelvane(folder, script);
    ASSERT_EQ(first.exitCode, 0) << first.out;
    EXPECT_EQ(first.shown(IDC_FIELD_I), "5");
    EXPECT_NE(first.shown(IDC_BORDER_LIST).find(" sel=0"), std::string::npos) << first.out;
    std::string walked = readFileBytes(folder.path("walked.png"));
    ASSERT_FALSE(walked.empty());
    EXPECT_NE(walked, readFileBytes(folder.path("before.png")));
    ProgramRun second = runKelvane(folder, script);
    ASSERT_EQ(second.exitCode, 0) << second.out;
    EXPECT_TRUE(readFileBytes(folder.path("walked.png")) == walked);
}

}  // namespace

// With the focus in the Preview, Ctrl+Z undoes a whole stroke and then a
// whole rectangle, Ctrl+Y redoes them; Ctrl+C copies the rectangle just
// painted, Ctrl+V puts it at the chosen cell cut at the grid's edge.
TEST(PreviewInput, PaintingIsOneUndoStepAndCtrlCCopiesTheRectangle) {
    TempFolder folder;
    TrackDocument track;
    track.createTrack(10, 10, 3, 0, 0, 0);
    std::string script = newTrackLines(10, 10, 3, 0, 0, 0) +
                         "choose 1021 1\nclick 1054\nchoose 1046 1\nkeydown T\n" +
                         saveTrackLines(folder, "empty.trk") +
                         "mouse down " + cellPixel(track, true, 1, 3) + " ctrl\n" +
                         "mouse move " + cellPixel(track, true, 6, 3) + " ctrl\n" +
                         "mouse up " + cellPixel(track, true, 6, 3) + " ctrl\n" +
                         saveTrackLines(folder, "row.trk") +
                         "mouse down " + cellPixel(track, true, 2, 6) + " shift\n" +
                         "mouse move " + cellPixel(track, true, 4, 8) + " shift\n" +
                         "mouse up " + cellPixel(track, true, 4, 8) + " shift\n" +
                         saveTrackLines(folder, "rectangle.trk") + "key Ctrl+Z\n" +
                         saveTrackLines(folder, "undo1.trk") + "key Ctrl+Z\n" +
                         saveTrackLines(folder, "undo2.trk") + "key Ctrl+Y\nkey Ctrl+Y\n" +
                         saveTrackLines(folder, "redo2.trk") + "key Ctrl+C\n" +
                         "type 1010 8\ntype 1011 0\nkey Ctrl+V\n" +
                         saveTrackLines(folder, "pasted.trk") + "key Ctrl+Z\n" +
                         saveTrackLines(folder, "unpasted.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox"), 0) << run.out;
    std::string empty = readFileBytes(folder.path("empty.trk"));
    std::string row = readFileBytes(folder.path("row.trk"));
    std::string rectangle = readFileBytes(folder.path("rectangle.trk"));
    EXPECT_NE(row, empty);
    EXPECT_NE(rectangle, row);
    EXPECT_TRUE(readFileBytes(folder.path("undo1.trk")) == row);
    EXPECT_TRUE(readFileBytes(folder.path("undo2.trk")) == empty);
    EXPECT_TRUE(readFileBytes(folder.path("redo2.trk")) == rectangle);
    EXPECT_TRUE(readFileBytes(folder.path("unpasted.trk")) == rectangle);
    ASSERT_TRUE(track.loadTrack(folder.path("rectangle.trk").c_str()));
    Field painted = *track.fieldAt(3, 7);
    // Columns 8 and 9 of rows 0 to 2 take the block's left two columns.
    for (DWORD j = 0; j <= 2; ++j)
        for (DWORD i = 8; i <= 9; ++i) track.setField(i, j, painted);
    EXPECT_TRUE(readFileBytes(folder.path("pasted.trk")) == savedBytes(track, folder));
}
