// The Save dialog as a user meets it: the question before replacing a file,
// the name it proposes, the default extension, and the refusals it reports.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <windows.h>

#include <string>

#include "panel_script.h"
#include "program_run.h"

namespace {

// New with the defaults.
const UiScript kNewTrack = UiScript().click(IDC_TRACK_NEW).key("Enter");

size_t defaultTrackSize() {
    return 3536;
}

TEST(SaveDialog, ReplacingAFileIsAskedAndNoKeepsIt) {
    TempFolder folder;
    const std::string old = folder.path("old.trk");
    TempFolder::write(old, "old bytes");
    // No: the dialog comes back and another name is chosen; then Yes.
    UiScript script = kNewTrack + UiScript()
                                      .answerFile(old)
                                      .answerBox(IDNO)
                                      .answerFile(folder.path("other.trk"))
                                      .click(IDC_TRACK_SAVE)
                                      .answerFile(old)
                                      .answerBox(IDYES)
                                      .click(IDC_TRACK_SAVE);
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes("Confirm Save As: old.trk already exists.\nDo you want to replace it?"), 2)
        << run.out;
    EXPECT_EQ(readFileBytes(folder.path("other.trk")).size(), defaultTrackSize());
    EXPECT_EQ(readFileBytes(old).size(), defaultTrackSize());

    // No and then Cancel leaves the file as it was.
    TempFolder::write(old, "old bytes");
    run = runKelvane(
        folder,
        kNewTrack + UiScript().answerFile(old).answerBox(IDNO).cancelFile().click(IDC_TRACK_SAVE));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(readFileBytes(old), "old bytes");
}

// Browse a picture and a mesh, then Save and Enter: the track's own name is
// proposed, never the picture's or the mesh's, which stay as they were.
TEST(SaveDialog, SaveAfterAMapBrowseProposesTheTracksName) {
    TempFolder folder;
    ASSERT_TRUE(copyTestData(folder));
    const std::string picture = readFileBytes(folder.path("road.bmp"));
    const std::string mesh = readFileBytes(folder.path("block.x"));
    UiScript script = kNewTrack + saveTrackLines(folder, "first.trk") +
                      UiScript()
                          .choose(IDC_FIELD_MAPS, 0)
                          .answerFile(folder.path("road.bmp"))
                          .click(IDC_FIELD_BROWSE)
                          .answerFile(folder.path("block.x"))
                          .click(IDC_MESH_BROWSE)
                          .line("answer-file accept")
                          .answerBox(IDYES)
                          .click(IDC_TRACK_SAVE);
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes("Confirm Save As: first.trk already exists."), 1) << run.out;
    EXPECT_EQ(readFileBytes(folder.path("road.bmp")), picture);
    EXPECT_EQ(readFileBytes(folder.path("block.x")), mesh);
    const std::string track = readFileBytes(folder.path("first.trk"));
    ASSERT_EQ(track.size(), defaultTrackSize());
    EXPECT_NE(track.find("road.bmp"), std::string::npos);
    EXPECT_NE(track.find("block.x"), std::string::npos);
}

TEST(SaveDialog, ANameWithoutExtensionSavesATrackFile) {
    TempFolder folder;
    UiScript script = kNewTrack +
                      UiScript().answerFile(folder.path("mytrack")).click(IDC_TRACK_SAVE) +
                      loadTrackLines(folder.path("mytrack.trk"));
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(readFileBytes(folder.path("mytrack.trk")).size(), defaultTrackSize());
    EXPECT_FALSE(fileExists(folder.path("mytrack")));
    EXPECT_EQ(run.boxes(), 0) << run.out;
}

TEST(SaveDialog, RefusalsAreSaidInAMessageBox) {
    TempFolder folder;
    const std::string locked = folder.path("locked.trk");
    TempFolder::write(locked, "old bytes");
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    const std::string sub = folder.path("sub.trk");
    ASSERT_EQ(mkdir(sub.c_str(), 0755), 0);
    const std::string longPath = folder.path(std::string(270, 'n') + ".trk");
    UiScript script = kNewTrack + UiScript()
                                      .answerFile(locked)
                                      .answerBox(IDYES)
                                      .click(IDC_TRACK_SAVE)
                                      .answerFile(longPath)
                                      .click(IDC_TRACK_SAVE)
                                      .answerFile(sub)
                                      .answerBox(IDYES)
                                      .click(IDC_TRACK_SAVE);
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.box("Kelvane: Cannot save the track \"" + locked),
              "Kelvane: Cannot save the track \"" + locked + "\": access is denied.");
    EXPECT_EQ(readFileBytes(locked), "old bytes");
    EXPECT_EQ(run.boxes("Kelvane: The chosen path is too long"), 1) << run.out;
    EXPECT_EQ(run.box("Kelvane: Cannot save the track \"" + sub + "\""),
              "Kelvane: Cannot save the track \"" + sub + "\": it is a folder.");
    EXPECT_EQ(folder.entries(), 3u) << "locked.trk, sub.trk and the script; no temporary file";
}

}  // namespace
