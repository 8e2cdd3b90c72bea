// New, Load and Save played by a scripted user on the real program.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "kelvane_ids.h"
#include "program_run.h"
#include "track_document.h"

namespace {

const char kPrintLists[] =
    "print 1021\nprint 1031\nprint 1033\nprint 1034\nprint 1035\nprint 1041\nprint 1065\n";

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
        {1007, "New"},       {1008, "Load"},
        {1009, "Save"},      {1025, "<"},
        {1027, "Up /\\"},    {1026, ">"},
        {1028, "Down \\/"},  {1038, "<<"},
        {1029, "Forward"},   {1030, "Back"},
        {1039, ">>"},        {1010, "0"},
        {1011, "0"},         {1022, "Set"},
        {1024, "Set All"},   {1032, "Add Map"},
        {1054, "unchecked"}, {1055, "checked"},
        {1043, "unchecked"}, {1052, "unchecked"},
        {1044, "unchecked"}, {1046, "0|90|180|270 sel=0"},
        {1021, " sel=-1"},   {1015, "Browse"},
        {1012, "0"},         {1013, "0"},
        {1014, "0"},         {1016, "100"},
        {1017, "100"},       {1018, "0"},
        {1034, " sel=-1"},   {1035, " sel=-1"},
        {1037, "unchecked"}, {1042, "Add Billboard"},
        {1059, "0"},         {1060, "0"},
        {1061, "0"},         {1062, "100"},
        {1063, "0"},         {1066, "Add Mesh"},
        {1065, " sel=-1"},   {1064, "Browse"},
        {1041, " sel=-1"},   {1040, "Add Border"},
        {1023, "0"},         {1036, "0"},
        {1019, "0"},         {1020, "0"},
        {1047, "0"},         {1045, "0"},
        {1050, "checked"},   {1049, "Normal Border|Start Time Border|Stop Time Border sel=0"},
        {1031, " sel=-1"},   {1033, " sel=-1"},
    };
    std::string script;
    for (const auto& control : expected) script += "print " + std::to_string(control.first) + "\n";
    TempFolder folder;
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_EQ(run.lines.size(), expected.size()) << run.out;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(run.lines[i], std::to_string(expected[i].first) + ": " + expected[i].second);
    }
}

TEST(FileCommands, NewWithTheDefaultsFillsTheSevenLists) {
    TempFolder folder;
    ProgramRun run = runKelvane(
        folder, std::string("click 1007\nkey Enter\n") + kPrintLists + "print 1018\nprint 1037\n");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    for (const char* id : {"1021", "1031", "1033", "1035"})
        EXPECT_EQ(run.line(std::string(id) + ":"), std::string(id) + ": " + numbers(5) + " sel=0");
    EXPECT_EQ(run.line("1034:"), "1034: " + numbers(5) + " sel=0");
    EXPECT_EQ(run.line("1041:"), "1041: " + numbers(20) + " sel=0");
    EXPECT_EQ(run.line("1065:"), "1065: 0 (null) sel=0");
    EXPECT_EQ(run.line("1018:"), "1018: 0");
    EXPECT_EQ(run.line("1037:"), "1037: unchecked");
    EXPECT_EQ(run.count("MessageBox"), 0) << run.out;
}

TEST(FileCommands, CancellingNewKeepsTheTrackAndEscapeLeavesTheDialogOpen) {
    TempFolder folder;
    std::string script =
        "click 1007\ntype 1010 3\ntype 1014 2\nkey Enter\n"
        "click 1007\nkey Escape\ntype 1014 9\nclick 1012\n"
        "click 1007\nclose\n" +
        std::string(kPrintLists);
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.line("1021:"), "1021: 0|1 sel=0");
    EXPECT_EQ(run.line("1041:"), "1041: " + numbers(20) + " sel=0");
}

TEST(FileCommands, NewRefusesSizesBeyondTheLimitAndStaysOpen) {
    TempFolder folder;
    std::string script =
        "click 1007\ntype 1010 65536\ntype 1011 65536\nkey Enter\n"
        "type 1010 1\ntype 1016 2000000\nkey Enter\n"
        "click 1012\n" +
        std::string(kPrintLists);
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::string cells = run.line("MessageBox: New:");
    EXPECT_NE(cells.find("16777216"), std::string::npos) << run.out;
    EXPECT_EQ(run.count("MessageBox: New:"), 2) << run.out;
    EXPECT_NE(run.out.find("Borders: 2000000 is more than the 1048576"), std::string::npos)
        << run.out;
    EXPECT_EQ(run.line("1021:"), "1021:  sel=-1");
}

TEST(FileCommands, SaveWritesTheDefaultTrack) {
    TempFolder folder;
    std::string saved = folder.path("oval.trk");
    ProgramRun run =
        runKelvane(folder, "click 1007\nkey Enter\nanswer-file " + saved + "\nclick 1009\n");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::string bytes = readFileBytes(saved);
    EXPECT_EQ(bytes.size(), 3536u);
    EXPECT_EQ(bytes, defaultTrackBytes(folder));
    EXPECT_EQ(run.count("MessageBox"), 0) << run.out;
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

    ProgramRun run = runKelvane(folder, "answer-file " + path + "\nclick 1008\n" + kPrintLists +
                                            "print 1012\nprint 1016\nprint 1017\nprint 1018\n"
                                            "print 1037\nprint 1023\nprint 1045\nprint 1062\n");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const std::string maps = "0 grass.bmp|1 (null)|2 sand.bmp|3 sky.bmp";
    EXPECT_EQ(run.line("1021:"), "1021: " + maps + " sel=0");
    EXPECT_EQ(run.line("1031:"), "1031: " + maps + " sel=2");
    EXPECT_EQ(run.line("1033:"), "1033: " + maps + " sel=3");
    EXPECT_EQ(run.line("1035:"), "1035: " + maps + " sel=3");
    EXPECT_EQ(run.line("1034:"), "1034: 0|1 sel=0");
    EXPECT_EQ(run.line("1041:"), "1041: 0|1|2 sel=0");
    EXPECT_EQ(run.line("1065:"), "1065: 0 (null)|1 hut.x sel=0");
    EXPECT_EQ(run.line("1012:"), "1012: 250");
    EXPECT_EQ(run.line("1016:"), "1016: 40");
    EXPECT_EQ(run.line("1017:"), "1017: 60");
    EXPECT_EQ(run.line("1018:"), "1018: 0 disabled");
    EXPECT_EQ(run.line("1037:"), "1037: checked");
    EXPECT_EQ(run.line("1023:"), "1023: 7");
    EXPECT_EQ(run.line("1045:"), "1045: -5");
    EXPECT_EQ(run.line("1062:"), "1062: 55");
}

TEST(FileCommands, LoadOfATrackWithoutRecordsShowsTheStartTexts) {
    TempFolder folder;
    TrackDocument doc;
    doc.createTrack(2, 2, 1, 0, 0, 0);
    std::string path = folder.path("bare.trk");
    ASSERT_TRUE(doc.saveTrack(path.c_str()));
    ProgramRun run = runKelvane(folder, "answer-file " + path + "\nclick 1008\n" + kPrintLists +
                                            "print 1016\nprint 1018\nprint 1023\nprint 1062\n");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.line("1034:"), "1034:  sel=-1");
    EXPECT_EQ(run.line("1035:"), "1035: 0 (null) sel=-1");
    EXPECT_EQ(run.line("1016:"), "1016: 100");
    EXPECT_EQ(run.line("1018:"), "1018: 0");
    EXPECT_EQ(run.line("1023:"), "1023: 0");
    EXPECT_EQ(run.line("1062:"), "1062: 100");
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
    std::string script =
        "click 1007\ntype 1014 2\nkey Enter\n"
        "answer-file " +
        folder.path("missing.trk") +
        "\nclick 1008\n"
        "answer-file " +
        damaged + "\nanswer-box 7\nclick 1008\n" + kPrintLists;
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    ASSERT_EQ(run.count("MessageBox: Kelvane: Cannot load the track"), 1) << run.out;
    EXPECT_NE(run.out.find("missing.trk\": cannot open"), std::string::npos) << run.out;
    // The short file is offered for salvage; No keeps the track shown.
    EXPECT_EQ(run.count("MessageBox: Kelvane: \"short.trk\" ends early"), 1) << run.out;
    EXPECT_EQ(run.line("1021:"), "1021: 0|1 sel=0");
    EXPECT_EQ(run.line("1041:"), "1041: " + numbers(20) + " sel=0");
}

TEST(FileCommands, FailedSaveIsReportedAndNoFileAppears) {
    TempFolder folder;
    std::string target = folder.path("no-such-folder/oval.trk");
    ProgramRun run =
        runKelvane(folder, "click 1007\nkey Enter\nanswer-file " + target + "\nclick 1009\n");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::string message = run.line("MessageBox: Kelvane: Cannot save the track");
    EXPECT_NE(message.find("oval.trk"), std::string::npos) << run.out;
    EXPECT_FALSE(fileExists(target));
}

TEST(FileCommands, EscapeDoesNothingAndAnUnchangedTrackClosesWithoutAQuestion) {
    TempFolder folder;
    ProgramRun run = runKelvane(folder, "click 1007\nkey Enter\nkey Escape\nprint 1021\nclose\n");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.line("1021:"), "1021: " + numbers(5) + " sel=0");
    EXPECT_EQ(run.count("MessageBox"), 0) << run.out;
}

// Without a working OpenGL driver the device cannot start: one message, and
// the program ends without showing the main dialog.
TEST(FileCommands, ARendererThatCannotStartIsOneMessageAndTheEnd) {
    TempFolder folder;
    ProgramRun run =
        runKelvane(folder, "# nothing\n", "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json");
    if (run.count("MessageBox") == 0) GTEST_SKIP() << "this EGL starts anyway: " << run.out;
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.count("MessageBox"), 1) << run.out;
    EXPECT_EQ(run.line("MessageBox"), "MessageBox: Kelvane: Direct 3D initialization error!");
}

}  // namespace
