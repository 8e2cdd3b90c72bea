// Undo, redo, copy and paste played by a scripted user on the real program,
// through the accelerator keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel_script.h"
#include "program_run.h"
#include "track_document.h"

namespace {

struct StepCase {
    const char* name;
    std::string setup;    // brings the panels to where the command applies
    std::string command;  // the one step
};

std::vector<StepCase> everyKindOfStep() {
    std::string road = testDataPath("road.bmp"), block = testDataPath("block.x");
    return {
        {"Set", "type 1010 2\ntype 1011 3\nchoose 1021 2\nclick 1054\n", "click 1022\n"},
        {"SetAll", "choose 1021 1\nclick 1052\n", "click 1024\n"},
        {"AddMap", "", "click 1032\n"},
        {"BrowseMap", "choose 1021 1\n", "answer-file " + road + "\nclick 1015\n"},
        {"BrowseMesh", "choose 1065 1\n", "answer-file " + block + "\nclick 1064\n"},
        {"AddBillboard", "", "click 1042\n"},
        {"AddMesh", "", "click 1066\n"},
        {"AddBorder", "", "click 1040\n"},
        {"TypeSpriteBox", "choose 1034 1\n", "type 1012 123\n"},
        {"TypeMeshBox", "choose 1065 1\n", "type 1062 45\n"},
        {"TypeBorderBox", "choose 1041 1\n", "type 1023 77\n"},
        {"Face", "", "click 1037\n"},
        {"SpriteMap", "", "choose 1035 2\n"},
        {"BorderMap", "", "choose 1031 2\n"},
        {"BackgroundMap", "", "choose 1033 2\n"},
        {"BorderType", "choose 1041 1\n", "choose 1049 1\n"},
    };
}

// Each kind of step: Ctrl+Z gives the bytes before it, Ctrl+Y and
// Ctrl+Shift+Z the bytes after it. All cases run in one program, each on a
// new track.
TEST(UndoScript, EveryKindOfStepUndoesAndRedoesToTheSavedBytes) {
    TempFolder folder;
    std::string script;
    std::vector<StepCase> cases = everyKindOfStep();
    for (const StepCase& step : cases) {
        std::string name = step.name;
        script += newTrackLines(6, 5, 3, 2, 2, 2) + step.setup +
                  saveTrackLines(folder, name + "-before.trk") + step.command +
                  saveTrackLines(folder, name + "-after.trk") + "key Ctrl+Z\n" +
                  saveTrackLines(folder, name + "-undone.trk") + "key Ctrl+Y\n" +
                  saveTrackLines(folder, name + "-redone.trk") + "key Ctrl+Z\nkey Ctrl+Shift+Z\n" +
                  saveTrackLines(folder, name + "-redone2.trk");
    }
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox"), 0) << run.out;
    for (const StepCase& step : cases) {
        std::string name = step.name;
        std::string before = readFileBytes(folder.path(name + "-before.trk"));
        std::string after = readFileBytes(folder.path(name + "-after.trk"));
        ASSERT_FALSE(before.empty()) << name;
        EXPECT_NE(before, after) << name << " changed nothing";
        EXPECT_EQ(readFileBytes(folder.path(name + "-undone.trk")), before) << name;
        EXPECT_EQ(readFileBytes(folder.path(name + "-redone.trk")), after) << name;
        EXPECT_EQ(readFileBytes(folder.path(name + "-redone2.trk")), after) << name;
    }
}

// "123" typed into one box is one step, and the box shows the value again;
// once the box has lost the focus, typing into it again is a new step.
TEST(UndoScript, TypingIntoOneBoxIsOneStepAndTheBoxFollows) {
    TempFolder folder;
    std::string script = newTrackLines(6, 5, 3, 2, 2, 2) + "print 1035\nprint 1012\n" +
                         "type 1012 123\ntype 1013 9\ntype 1012 45\nprint 1012\nkey Ctrl+Z\n" +
                         "print 1012\nkey Ctrl+Z\nkey Ctrl+Z\nprint 1012\nprint 1013\nprint 1035\n" +
                         saveTrackLines(folder, "undone.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::vector<std::string> boxes;
    for (const std::string& line : run.lines)
        if (line.rfind("1012:", 0) == 0 || line.rfind("1013:", 0) == 0) boxes.push_back(line);
    ASSERT_EQ(boxes.size(), 5u) << run.out;
    EXPECT_EQ(boxes[1], "1012: 45") << run.out;
    EXPECT_EQ(boxes[2], "1012: 123") << run.out;
    EXPECT_EQ(boxes[3], boxes[0]) << run.out;
    // The billboard is unused again, and "Map:" shows what it showed before.
    EXPECT_EQ(run.count("1035: 0|1|2 sel=0"), 2) << run.out;
    TrackDocument expected;
    expected.createTrack(6, 5, 3, 2, 2, 2);
    EXPECT_EQ(readFileBytes(folder.path("undone.trk")), savedBytes(expected, folder));
}

// Undo of Add Map gives the map lists their entries and texts from before
// it; undo of Browse gives the entry its old text back, with the choice the
// user had made, and redo the new one.
TEST(UndoScript, ListsFollowUndoOfAddMapAndBrowse) {
    TempFolder folder;
    std::string lists = "print 1021\nprint 1031\nprint 1033\nprint 1035\n";
    std::string script = newTrackLines(6, 5, 5, 2, 2, 2) + lists + "click 1032\n" + lists +
                         "key Ctrl+Z\n" + lists + "choose 1021 2\nanswer-file " +
                         testDataPath("road.bmp") + "\nclick 1015\nprint 1021\nkey Ctrl+Z\n" +
                         "print 1021\nkey Ctrl+Y\nprint 1021\n";
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::vector<std::string> fieldMaps;
    for (const std::string& line : run.lines)
        if (line.rfind("1021:", 0) == 0) fieldMaps.push_back(line);
    ASSERT_EQ(fieldMaps.size(), 6u) << run.out;
    EXPECT_NE(fieldMaps[1], fieldMaps[0]) << "Add Map added no entry";
    EXPECT_EQ(fieldMaps[2], fieldMaps[0]) << run.out;
    EXPECT_NE(fieldMaps[3].find("road.bmp"), std::string::npos) << run.out;
    EXPECT_EQ(fieldMaps[4], "1021: 0|1|2|3|4 sel=2") << run.out;
    EXPECT_EQ(fieldMaps[5], fieldMaps[3]) << run.out;
}

// Undoing back to the state last saved counts as unchanged: New asks no
// question; redo makes it changed again and New asks.
TEST(UndoScript, UnsavedChangesQuestionFollowsTheSavedState) {
    TempFolder folder;
    std::string script = newTrackLines(6, 5, 3, 2, 2, 2) + "click 1024\n" +
                         saveTrackLines(folder, "saved.trk") + "click 1042\nkey Ctrl+Z\n" +
                         "click 1007\nclick 1012\nkey Ctrl+Y\nanswer-box 2\nclick 1007\n";
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox"), 1) << run.out;
}

// Ctrl+C on the selected cell, Ctrl+V near the far corner: only the part
// inside the grid is written, as one step. Ctrl+X empties the cell.
TEST(UndoScript, CopyPasteIsClippedAtTheEdgeAndCutEmpties) {
    TempFolder folder;
    std::string script = newTrackLines(4, 3, 3, 0, 0, 0) + "type 1010 1\ntype 1011 1\n" +
                         "choose 1021 2\nclick 1054\nchoose 1046 1\nclick 1022\nkey Ctrl+C\n" +
                         "type 1010 3\ntype 1011 2\n" + saveTrackLines(folder, "before.trk") +
                         "key Ctrl+V\n" + saveTrackLines(folder, "pasted.trk") + "key Ctrl+Z\n" +
                         saveTrackLines(folder, "undone.trk") + "type 1010 1\ntype 1011 1\n" +
                         "key Ctrl+X\n" + saveTrackLines(folder, "cut.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox"), 0) << run.out;

    TrackDocument expected;
    expected.createTrack(4, 3, 3, 0, 0, 0);
    std::string empty = savedBytes(expected, folder);
    Field cell = *expected.fieldAt(1, 1);
    cell.empty = kSlotUsed;
    cell.map = 2;
    cell.shape = 1;
    cell.orientation = 1;
    expected.setField(1, 1, cell);
    std::string before = savedBytes(expected, folder);
    EXPECT_EQ(readFileBytes(folder.path("before.trk")), before);
    expected.setField(3, 2, cell);
    EXPECT_EQ(readFileBytes(folder.path("pasted.trk")), savedBytes(expected, folder));
    EXPECT_EQ(readFileBytes(folder.path("undone.trk")), before);
    EXPECT_EQ(readFileBytes(folder.path("cut.trk")), empty);
}

// Save keeps the history: Ctrl+Z after it still undoes. New and Load start
// afresh: Ctrl+Z right after them changes nothing, though steps were kept.
TEST(UndoScript, SaveKeepsTheHistoryNewAndLoadStartAfresh) {
    TempFolder folder;
    std::string script = newTrackLines(6, 5, 3, 2, 2, 2) + "click 1042\n" +
                         saveTrackLines(folder, "added.trk") + "key Ctrl+Z\n" +
                         saveTrackLines(folder, "undone.trk") + "key Ctrl+Y\n" +
                         saveTrackLines(folder, "redone.trk") + newTrackLines(6, 5, 3, 2, 2, 2) +
                         "key Ctrl+Z\n" + saveTrackLines(folder, "new.trk") + "click 1040\nanswer-box 7\n" +
                         loadTrackLines(folder.path("added.trk")) + "key Ctrl+Z\n" +
                         saveTrackLines(folder, "loaded.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    TrackDocument expected;
    expected.createTrack(6, 5, 3, 2, 2, 2);
    std::string fresh = savedBytes(expected, folder);
    expected.addBillboard();
    std::string added = savedBytes(expected, folder);
    EXPECT_EQ(readFileBytes(folder.path("added.trk")), added);
    EXPECT_EQ(readFileBytes(folder.path("undone.trk")), fresh);
    EXPECT_EQ(readFileBytes(folder.path("redone.trk")), added);
    EXPECT_EQ(readFileBytes(folder.path("new.trk")), fresh);
    EXPECT_EQ(readFileBytes(folder.path("loaded.trk")), added);
}

// A New dialog above the main one takes the keys for itself: Ctrl+Z there
// undoes nothing of the track.
TEST(UndoScript, KeysUnderAModalDialogDoNothing) {
    TempFolder folder;
    std::string script = newTrackLines(6, 5, 3, 2, 2, 2) + "click 1042\n" +
                         saveTrackLines(folder, "saved.trk") + "click 1007\nkey Ctrl+Z\n" +
                         "click 1012\n" + saveTrackLines(folder, "kept.trk");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    TrackDocument expected;
    expected.createTrack(6, 5, 3, 2, 2, 2);
    expected.addBillboard();
    EXPECT_EQ(readFileBytes(folder.path("kept.trk")), savedBytes(expected, folder));
}

}  // namespace
