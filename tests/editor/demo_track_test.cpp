// The demo track of examples/demo as a newcomer meets it: through Load and
// through `kelvane FILE.trk`, looking as its golden picture; a bad file named
// on the command line gives the Load message and an empty editor.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "panel_script.h"
#include "program_run.h"

namespace {

const char kMapListAfterLoad[] =
    "1021: 0 grass.bmp|1 road.bmp|2 asphalt.bmp|3 kerb.bmp|4 stone.bmp|5 sky.bmp|6 tree.tga "
    "sel=0";

std::string demoFile(const std::string& name) {
    return std::string(KELVANE_DEMO_FOLDER) + "/" + name;
}

// Kelvane started as `kelvane --ui-script SCRIPT ARGUMENTS` in the folder.
ProgramRun runKelvaneOn(const TempFolder& folder, const std::string& script,
                        const std::string& arguments) {
    std::string scriptPath = folder.path("user.script");
    std::ofstream(scriptPath) << script;
    return runProgramWith(KELVANE_PROGRAM, folder,
                          "--ui-script '" + scriptPath + "' " + arguments);
}

// The demo's files copied into a folder of the temporary one.
bool copyDemo(const TempFolder& folder, const std::string& into) {
    std::error_code error;
    std::filesystem::copy(KELVANE_DEMO_FOLDER, folder.path(into), error);
    return !error;
}

TEST(DemoTrack, LoadsAndMatchesItsGoldenPicture) {
    TempFolder folder;
    ProgramRun run = runKelvane(folder, loadTrackLines(demoFile("demo.trk")) + "print 1021\n" +
                                            snapshotLines(folder, "demo.png"));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes(), 0) << run.out;
    EXPECT_EQ(run.line("1021:"), kMapListAfterLoad);
    expectLikeGolden(folder.path("demo.png"), "demo.png");
}

// A relative path with a blank in it, as typed at a prompt: the maps are
// found beside the track, so the picture is the one Load gives.
TEST(DemoTrack, CommandLineFileLoadsAtStart) {
    TempFolder folder;
    ASSERT_TRUE(copyDemo(folder, "my tracks"));
    ProgramRun run =
        runKelvaneOn(folder, "print 1021\n" + snapshotLines(folder, "start.png"),
                     "'my tracks/demo.trk'");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes(), 0) << run.out;
    EXPECT_EQ(run.line("1021:"), kMapListAfterLoad);
    expectLikeGolden(folder.path("start.png"), "demo.png");
}

// The editor stays empty: Save has nothing to write.
TEST(DemoTrack, BadCommandLineFileGivesTheLoadMessage) {
    TempFolder folder;
    std::ofstream(folder.path("text.trk")) << "not a track at all, but long enough to be read as one";
    for (const char* name : {"text.trk", "missing.trk"}) {
        std::string saved = folder.path(std::string("saved-") + name);
        ProgramRun run = runKelvaneOn(folder, "print 1021\nanswer-file " + saved + "\nclick 1009\n",
                                      std::string("'") + folder.path(name) + "'");
        ASSERT_EQ(run.exitCode, 0) << run.out;
        ASSERT_EQ(run.boxes("Kelvane: Cannot load the track"), 1) << run.out;
        EXPECT_NE(run.messageBoxes[0].find(name), std::string::npos) << run.out;
        EXPECT_EQ(run.line("1021:"), "1021:  sel=-1") << run.out;
        EXPECT_FALSE(fileExists(saved));
    }
}

}  // namespace
