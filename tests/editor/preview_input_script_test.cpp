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
    std::string script = newTrackLines(10, 10, 2, 0, 0, 0) + "click 1024\n" +
                         "mouse down " + cellPixel(track, false, 5, 3) + "\nmouse up " +
                         cellPixel(track, false, 5, 3) + "\nprint 1010\nprint 1011\n" +
                         "mouse down 300 2\nmouse up 300 2\nprint 1010\nprint 1011\n" +
                         "keydown T\nmouse down " + cellPixel(track, true, 8, 1) +
                         "\nprint 1010\nprint 1011\n";
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out,
              "1010: 5\n1011: 3\n"  // the cell under the cursor
              "1010: 5\n1011: 3\n"  // the sky: nothing changes
              "1010: 8\n1011: 1\n");  // the same in the top view
}

TEST(PreviewInput, ClicksOnABillboardAndABorderChooseThemInTheirPanels) {
    TempFolder folder;
    TrackDocument track;
    track.createTrack(10, 10, 1, 2, 2, 0);
    // Billboard 1 over cell (5, 5), facing +X towards the camera; border 1
    // upright along X = 300 from Z = 200 to 800.
    std::string script = newTrackLines(10, 10, 1, 2, 2, 0) + "click 1024\n" +
                         "choose 1034 1\nchoose 1035 0\ntype 1012 500\ntype 1014 500\n" +
                         "choose 1034 0\n" +
                         "choose 1041 1\ntype 1023 300\ntype 1036 200\ntype 1019 300\n"
                         "type 1020 800\ntype 1047 100\nchoose 1041 0\n" +
                         "mouse down " + pixelOf(track, false, 500, 50, 500) + "\nprint 1034\n" +
                         "mouse down " + pixelOf(track, false, 300, 100, 650, 1) +
                         "\nprint 1041\n";
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.line("1034:").find("sel=1"), std::string::npos) << run.out;
    EXPECT_NE(run.line("1041:").find("sel=1"), std::string::npos) << run.out;
}

// In the top view: map 1, Top, 90 degrees; Ctrl-drag along row 3 from
// column 1 to column 6, then a Shift rectangle from (2, 6) to (4, 8).
TEST(PreviewInput, PaintingSetsTheCellsPassedAndTheRectangleAsSetWould) {
    TempFolder folder;
    TrackDocument track;
    track.createTrack(10, 10, 3, 0, 0, 0);
    std::string script = newTrackLines(10, 10, 3, 0, 0, 0) +
                         "choose 1021 1\nclick 1054\nchoose 1046 1\nkeydown T\n" +
                         "mouse down " + cellPixel(track, true, 1, 3) + " ctrl\n" +
                         "mouse move " + cellPixel(track, true, 6, 3) + " ctrl\n" +
                         "mouse up " + cellPixel(track, true, 6, 3) + " ctrl\n" +
                         saveTrackLines(folder, "row.trk") +
                         "mouse down " + cellPixel(track, true, 2, 6) + " shift\n" +
                         "mouse move " + cellPixel(track, true, 4, 8) + " shift\n" +
                         "mouse up " + cellPixel(track, true, 4, 8) + " shift\n" +
                         saveTrackLines(folder, "rectangle.trk") + "print 1010\nprint 1011\n" +
                         // A release that no move reached still ends the stroke there.
                         "mouse down " + cellPixel(track, true, 7, 0) + " ctrl\n" +
                         "mouse up " + cellPixel(track, true, 9, 1) + " ctrl\n" +
                         saveTrackLines(folder, "quick.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox"), 0) << run.out;
    EXPECT_EQ(run.line("1010:"), "1010: 4");
    EXPECT_EQ(run.line("1011:"), "1011: 8");
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
    std::string script = newTrackLines(6, 6, 0, 0, 0, 0) + "keydown T\n" +
                         "mouse down " + cellPixel(track, true, 1, 1) + " ctrl\n" +
                         "mouse move " + cellPixel(track, true, 4, 1) + " ctrl\n" +
                         "mouse up " + cellPixel(track, true, 4, 1) + " ctrl\n" +
                         saveTrackLines(folder, "refused.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox: Kelvane: Choose a map in the Fields list first; nothing was set."),
              1)
        << run.out;
    EXPECT_TRUE(readFileBytes(folder.path("refused.trk")) == savedBytes(track, folder));
}

// Keys typed with the Preview focused reach the Preview only; a held key
// moves the camera the same way on every run.
TEST(PreviewInput, KeysStayInThePreviewAndHeldKeysAreDeterministic) {
    TempFolder folder;
    std::string script = newTrackLines(10, 10, 1, 0, 2, 0) + "click 1024\ntype 1010 5\n" +
                         "keydown Left\nkeyup Left\nkeydown A 3\nkeyup A\nkeydown B\nkeyup B\n" +
                         "keydown Tab\nkeydown Enter\nprint 1010\nprint 1041\n" +
                         snapshotLines(folder, "before.png") + "keydown Home\n" +
                         "keydown Up 30\nkeyup Up\n" + snapshotLines(folder, "walked.png");
    ProgramRun first = runKelvane(folder, script);
    ASSERT_EQ(first.exitCode, 0) << first.out;
    EXPECT_EQ(first.line("1010:"), "1010: 5");
    EXPECT_NE(first.line("1041:").find(" sel=0"), std::string::npos) << first.out;
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
