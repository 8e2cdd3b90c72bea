// New, Load and Save played by a scripted user on the real program.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "kelvane_ids.h"
#include "program_run.h"
#include "track_document.h"

namespace {

const UiScript kPrintLists = UiScript()
                                 .print(IDC_FIELD_MAPS)
                                 .print(IDC_BORDER_MAP)
                                 .print(IDC_BACKGROUND_MAP)
                                 .print(IDC_SPRITE_NUMBER)
                                 .print(IDC_SPRITE_MAP)
                                 .print(IDC_BORDER_LIST)
                                 .print(IDC_MESH_LIST);

const UiScript kNewWithDefaults = UiScript().click(IDC_TRACK_NEW).key("Enter");

std::string numbers(int count) {
    std::string joined;
    for (int i = 0; i < count; ++i) joined += (i ? "|" : "") + std::to_string(i);
    return joined;
}

// The default track saved in-process: what the program must write too.
std::string defaultTrackBytes(const TempFolder& folder) {
    TrackDocument doc;
    doc.createTrack(10, 10, 5, 5, 20, 1);
    std::string path = folder.path("reference.trk");
    doc.saveTrack(path.c_str());
    return readFileBytes(path);
}

// Every control of the main dialog as the program starts.
TEST(FileCommands, StartStateOfEveryControl) {
    const std::vector<std::pair<int, std::string>> expected = {
        {IDC_TRACK_NEW, "New"},
        {IDC_TRACK_LOAD, "Load"},
        {IDC_TRACK_SAVE, "Save"},
        {IDC_CAMERA_LEFT, "<"},
        {IDC_CAMERA_UP, "Up /\\"},
        {IDC_CAMERA_RIGHT, ">"},
        {IDC_CAMERA_DOWN, "Down \\/"},
        {IDC_CAMERA_STEP_LEFT, "<<"},
        {IDC_CAMERA_FORWARD, "Forward"},
        {IDC_CAMERA_BACK, "Back"},
        {IDC_CAMERA_STEP_RIGHT, ">>"},
        {IDC_FIELD_I, "0"},
        {IDC_FIELD_J, "0"},
        {IDC_FIELD_SET, "Set"},
        {IDC_FIELD_SET_ALL, "Set All"},
        {IDC_FIELD_ADD_MAP, "Add Map"},
        {IDC_SHAPE_TOP, "unchecked"},
        {IDC_SHAPE_GROUND, "checked"},
        {IDC_SHAPE_CORNER1, "unchecked"},
        {IDC_SHAPE_SLOPE, "unchecked"},
        {IDC_SHAPE_CORNER2, "unchecked"},
        {IDC_FIELD_ORIENTATION, "0|90|180|270 sel=0"},
        {IDC_FIELD_MAPS, " sel=-1"},
        {IDC_FIELD_BROWSE, "Browse"},
        {IDC_SPRITE_POS_X, "0"},
        {IDC_SPRITE_POS_Y, "0"},
        {IDC_SPRITE_POS_Z, "0"},
        {IDC_SPRITE_SCALE_X, "100"},
        {IDC_SPRITE_SCALE_Y, "100"},
        {IDC_SPRITE_ANGLE, "0"},
        {IDC_SPRITE_NUMBER, " sel=-1"},
        {IDC_SPRITE_MAP, " sel=-1"},
        {IDC_SPRITE_FACE, "unchecked"},
        {IDC_SPRITE_ADD, "Add Billboard"},
        {IDC_MESH_POS_X, "0"},
        {IDC_MESH_POS_Y, "0"},
        {IDC_MESH_POS_Z, "0"},
        {IDC_MESH_SCALE, "100"},
        {IDC_MESH_ANGLE, "0"},
        {IDC_MESH_ADD, "Add Mesh"},
        {IDC_MESH_LIST, " sel=-1"},
        {IDC_MESH_BROWSE, "Browse"},
        {IDC_BORDER_LIST, " sel=-1"},
        {IDC_BORDER_ADD, "Add Border"},
        {IDC_BORDER_X1, "0"},
        {IDC_BORDER_Z1, "0"},
        {IDC_BORDER_X2, "0"},
        {IDC_BORDER_Z2, "0"},
        {IDC_BORDER_TOP, "0"},
        {IDC_BORDER_BOTTOM, "0"},
        {IDC_SHOW_BORDERS, "checked"},
        {IDC_BORDER_TYPE, "Normal Border|Start Time Border|Stop Time Border sel=0"},
        {IDC_BORDER_MAP, " sel=-1"},
        {IDC_BACKGROUND_MAP, " sel=-1"},
    };
    UiScript script;
    for (const auto& control : expected) script.print(control.first);
    TempFolder folder;
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_EQ(run.lines.size(), expected.size()) << run.out;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(run.lines[i], printed(expected[i].first) + " " + expected[i].second);
    }
}

TEST(FileCommands, NewWithTheDefaultsFillsTheSevenLists) {
    TempFolder folder;
    ProgramRun run =
        runKelvane(folder, kNewWithDefaults + kPrintLists +
                               UiScript().print(IDC_SPRITE_ANGLE).print(IDC_SPRITE_FACE));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    for (int id : {IDC_FIELD_MAPS, IDC_BORDER_MAP, IDC_BACKGROUND_MAP, IDC_SPRITE_MAP})
        EXPECT_EQ(run.shown(id), numbers(5) + " sel=0");
    EXPECT_EQ(run.shown(IDC_SPRITE_NUMBER), numbers(5) + " sel=0");
    EXPECT_EQ(run.shown(IDC_BORDER_LIST), numbers(20) + " sel=0");
    EXPECT_EQ(run.shown(IDC_MESH_LIST), "0 (null) sel=0");
    EXPECT_EQ(run.shown(IDC_SPRITE_ANGLE), "0");
    EXPECT_EQ(run.shown(IDC_SPRITE_FACE), "unchecked");
    EXPECT_EQ(run.boxes(), 0) << run.out;
}

TEST(FileCommands, CancellingNewKeepsTheTrackAndEscapeLeavesTheDialogOpen) {
    TempFolder folder;
    UiScript script = UiScript()
                          .click(IDC_TRACK_NEW)
                          .type(IDC_NEW_XSIZE, 3)
                          .type(IDC_NEW_MAPS, 2)
                          .key("Enter")
                          .click(IDC_TRACK_NEW)
                          .key("Escape")
                          .type(IDC_NEW_MAPS, 9)
                          .click(IDC_NEW_CANCEL)
                          .click(IDC_TRACK_NEW)
                          .close() +
                      kPrintLists;
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.shown(IDC_FIELD_MAPS), "0|1 sel=0");
    EXPECT_EQ(run.shown(IDC_BORDER_LIST), numbers(20) + " sel=0");
}

TEST(FileCommands, NewRefusesSizesBeyondTheLimitAndStaysOpen) {
    TempFolder folder;
    UiScript script = UiScript()
                          .click(IDC_TRACK_NEW)
                          .type(IDC_NEW_XSIZE, 65536)
                          .type(IDC_NEW_YSIZE, 65536)
                          .key("Enter")
                          .type(IDC_NEW_XSIZE, 1)
                          .type(IDC_NEW_BORDERS, 2000000)
                          .key("Enter")
                          .click(IDC_NEW_CANCEL) +
                      kPrintLists;
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_EQ(run.boxes("New:"), 2) << run.out;
    EXPECT_NE(run.messageBoxes[0].find("16777216"), std::string::npos) << run.out;
    EXPECT_NE(run.messageBoxes[1].find("Borders: 2000000 is more than the 1048576"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.shown(IDC_FIELD_MAPS), " sel=-1");
}

// New opens with X Size focused and selected: typing replaces the 10 it
// shows, as do the keys after Tab and Shift+Tab.
TEST(FileCommands, TypingIntoNewReplacesTheTextTheFocusSelected) {
    TempFolder folder;
    UiScript script = UiScript()
                          .click(IDC_TRACK_NEW)
                          .typeFocused("20")
                          .key("Tab")
                          .typeFocused("30")
                          .key("Tab")
                          .key("Shift+Tab")
                          .typeFocused("4")
                          .key("Enter")
                          .answerFile(folder.path("typed.trk"))
                          .click(IDC_TRACK_SAVE);
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    TrackDocument doc;
    ASSERT_TRUE(doc.loadTrack(folder.path("typed.trk").c_str()));
    EXPECT_EQ(doc.getSizeX(), 20u);
    EXPECT_EQ(doc.getSizeY(), 4u);
}

TEST(FileCommands, SaveWritesTheDefaultTrack) {
    TempFolder folder;
    std::string saved = folder.path("oval.trk");
    ProgramRun run =
        runKelvane(folder, kNewWithDefaults + UiScript().answerFile(saved).click(IDC_TRACK_SAVE));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::string bytes = readFileBytes(saved);
    EXPECT_EQ(bytes.size(), 3536u);
    EXPECT_EQ(bytes, defaultTrackBytes(folder));
    EXPECT_EQ(run.boxes(), 0) << run.out;
}

TEST(FileCommands, LoadFillsTheListsWithNamesAndSelectsTheStoredMaps) {
    TempFolder folder;
    TrackDocument doc;
    doc.createTrack(4, 3, 4, 2, 3, 2);
    doc.setMapFile(0, "grass.bmp");
    doc.setMapFile(2, "sand.bmp");
    doc.setMapFile(3, "sky.bmp");
    doc.setBorderMap(2);
    doc.setBackgroundMap(3);
    doc.setBillboardMap(0, 3);
    doc.setBillboardPosX(0, 250);
    doc.setBillboardScale(0, 40, 60);
    doc.setBillboardFace(0, 1);
    doc.setBorderX1(0, 7);
    doc.setBorderBottom(0, 0xFFFFFFFBu);
    doc.setMeshFile(1, "hut.x");
    doc.setMeshScale(0, 55);
    std::string path = folder.path("named.trk");
    ASSERT_TRUE(doc.saveTrack(path.c_str()));

    UiScript boxes = UiScript()
                         .print(IDC_SPRITE_POS_X)
                         .print(IDC_SPRITE_SCALE_X)
                         .print(IDC_SPRITE_SCALE_Y)
                         .print(IDC_SPRITE_ANGLE)
                         .print(IDC_SPRITE_FACE)
                         .print(IDC_BORDER_X1)
                         .print(IDC_BORDER_BOTTOM)
                         .print(IDC_MESH_SCALE);
    ProgramRun run =
        runKelvane(folder, UiScript().answerFile(path).click(IDC_TRACK_LOAD) + kPrintLists + boxes);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const std::string maps = "0 grass.bmp|1 (null)|2 sand.bmp|3 sky.bmp";
    EXPECT_EQ(run.shown(IDC_FIELD_MAPS), maps + " sel=0");
    EXPECT_EQ(run.shown(IDC_BORDER_MAP), maps + " sel=2");
    EXPECT_EQ(run.shown(IDC_BACKGROUND_MAP), maps + " sel=3");
    EXPECT_EQ(run.shown(IDC_SPRITE_MAP), maps + " sel=3");
    EXPECT_EQ(run.shown(IDC_SPRITE_NUMBER), "0|1 sel=0");
    EXPECT_EQ(run.shown(IDC_BORDER_LIST), "0|1|2 sel=0");
    EXPECT_EQ(run.shown(IDC_MESH_LIST), "0 (null)|1 hut.x sel=0");
    EXPECT_EQ(run.shown(IDC_SPRITE_POS_X), "250");
    EXPECT_EQ(run.shown(IDC_SPRITE_SCALE_X), "40");
    EXPECT_EQ(run.shown(IDC_SPRITE_SCALE_Y), "60");
    EXPECT_EQ(run.shown(IDC_SPRITE_ANGLE), "0 disabled");
    EXPECT_EQ(run.shown(IDC_SPRITE_FACE), "checked");
    EXPECT_EQ(run.shown(IDC_BORDER_X1), "7");
    EXPECT_EQ(run.shown(IDC_BORDER_BOTTOM), "-5");
    EXPECT_EQ(run.shown(IDC_MESH_SCALE), "55");
}

TEST(FileCommands, LoadOfATrackWithoutRecordsShowsTheStartTexts) {
    TempFolder folder;
    TrackDocument doc;
    doc.createTrack(2, 2, 1, 0, 0, 0);
    std::string path = folder.path("bare.trk");
    ASSERT_TRUE(doc.saveTrack(path.c_str()));
    UiScript boxes = UiScript()
                         .print(IDC_SPRITE_SCALE_X)
                         .print(IDC_SPRITE_ANGLE)
                         .print(IDC_BORDER_X1)
                         .print(IDC_MESH_SCALE);
    ProgramRun run =
        runKelvane(folder, UiScript().answerFile(path).click(IDC_TRACK_LOAD) + kPrintLists + boxes);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.shown(IDC_SPRITE_NUMBER), " sel=-1");
    EXPECT_EQ(run.shown(IDC_SPRITE_MAP), "0 (null) sel=-1");
    EXPECT_EQ(run.shown(IDC_SPRITE_SCALE_X), "100");
    EXPECT_EQ(run.shown(IDC_SPRITE_ANGLE), "0");
    EXPECT_EQ(run.shown(IDC_BORDER_X1), "0");
    EXPECT_EQ(run.shown(IDC_MESH_SCALE), "100");
}

TEST(FileCommands, FailedLoadIsReportedAndChangesNothing) {
    TempFolder folder;
    std::string damaged = folder.path("short.trk");
    {
        TrackDocument doc;
        doc.createTrack(10, 10, 5, 5, 20, 1);
        std::string full = folder.path("full.trk");
        doc.saveTrack(full.c_str());
        std::string bytes = readFileBytes(full);
        FILE* out = std::fopen(damaged.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(bytes.data(), 1, 1000, out);
        std::fclose(out);
    }
    UiScript script = UiScript()
                          .click(IDC_TRACK_NEW)
                          .type(IDC_NEW_MAPS, 2)
                          .key("Enter")
                          .answerFile(folder.path("missing.trk"))
                          .click(IDC_TRACK_LOAD)
                          .answerFile(damaged)
                          .answerBox(IDNO)
                          .click(IDC_TRACK_LOAD) +
                      kPrintLists;
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_EQ(run.boxes("Kelvane: Cannot load the track"), 1) << run.out;
    EXPECT_NE(run.messageBoxes[0].find("missing.trk\": cannot open"), std::string::npos) << run.out;
    // The short file is offered for salvage; No keeps the track shown.
    EXPECT_EQ(run.boxes("Kelvane: \"short.trk\" ends early"), 1) << run.out;
    EXPECT_EQ(run.shown(IDC_FIELD_MAPS), "0|1 sel=0");
    EXPECT_EQ(run.shown(IDC_BORDER_LIST), numbers(20) + " sel=0");
}

TEST(FileCommands, FailedSaveIsReportedAndNoFileAppears) {
    TempFolder folder;
    std::string target = folder.path("no-such-folder/oval.trk");
    ProgramRun run =
        runKelvane(folder, kNewWithDefaults + UiScript().answerFile(target).click(IDC_TRACK_SAVE));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_EQ(run.boxes("Kelvane: Cannot save the track"), 1) << run.out;
    EXPECT_NE(run.messageBoxes[0].find("oval.trk"), std::string::npos) << run.out;
    EXPECT_FALSE(fileExists(target));
}

TEST(FileCommands, EscapeDoesNothingAndAnUnchangedTrackClosesWithoutAQuestion) {
    TempFolder folder;
    ProgramRun run = runKelvane(
        folder, kNewWithDefaults + UiScript().key("Escape").print(IDC_FIELD_MAPS).close());
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.shown(IDC_FIELD_MAPS), numbers(5) + " sel=0");
    EXPECT_EQ(run.boxes(), 0) << run.out;
}

// KELVANE_D3D_TRACE names a file that gets every Direct3D call, here the
// frames of New with the borders drawn inside their raw bias 16.
TEST(FileCommands, TheCallTraceGoesToTheFileTheEnvironmentNames) {
    TempFolder folder;
    ProgramRun run = runKelvane(folder, kNewWithDefaults,
                                "KELVANE_D3D_TRACE='" + folder.path("calls.txt") + "'");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string calls = readFileBytes(folder.path("calls.txt"));
    EXPECT_NE(calls.find("\nBeginScene()\n"), std::string::npos);
    EXPECT_NE(calls.find("\nSetRenderState(D3DRS_DEPTHBIAS, 16)\n"), std::string::npos);
    EXPECT_NE(calls.find("\nPresent()\n"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

// Without a working OpenGL driver the device cannot start: one message, and
// the program ends without showing the main dialog.
TEST(FileCommands, ARendererThatCannotStartIsOneMessageAndTheEnd) {
    TempFolder folder;
    ProgramRun run = runKelvane(folder, UiScript().line("# nothing"),
                                "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json");
    if (run.boxes() == 0) GTEST_SKIP() << "this EGL starts anyway: " << run.out;
    EXPECT_EQ(run.exitCode, 0) << run.out;
    ASSERT_EQ(run.boxes(), 1) << run.out;
    EXPECT_EQ(run.messageBoxes[0], "Kelvane: Direct 3D initialization error!");
}

}  // namespace
