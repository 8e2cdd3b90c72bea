// Loading what is damaged or missing, played by a scripted user on the real
// program: a track that ends early is offered for salvage, and the files a
// track or a Browse could not load are named in one message.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <windows.h>

#include "kelvane_ids.h"
#include "program_run.h"
#include "track_document.h"

namespace {

const char kQuestion[] =
    "Kelvane: \"cut.trk\" ends early: 27 of 100 cells and 5 of 31 records are "
    "complete. Load what is there and leave the rest empty?";

// The default track with its maps named, cut after 1000 bytes: 5 whole
// maps and 27 whole cells.
std::string writeCutTrack(const TempFolder& folder) {
    TrackDocument doc;
    doc.createTrack(10, 10, 5, 5, 20, 1);
    for (DWORD i = 0; i < 5; ++i) doc.setMapFile(i, ("map" + std::to_string(i) + ".bmp").c_str());
    const std::string full = folder.path("full.trk");
    doc.saveTrack(full.c_str());
    const std::string cut = folder.path("cut.trk");
    TempFolder::write(cut, readFileBytes(full).substr(0, 1000));
    return cut;
}

TEST(LoadDamage, SalvageYesLoadsWhatIsThereAndMarksTheTrackChanged) {
    TempFolder folder;
    const std::string cut = writeCutTrack(folder);
    const std::string saved = folder.path("saved.trk");
    // Yes to the salvage; the missing pictures are reported; closing asks
    // about the unsaved track, whose Save writes the salvaged track whole.
    ProgramRun run = runKelvane(folder, UiScript()
                                            .answerFile(cut)
                                            .answerBox(IDYES)
                                            .click(IDC_TRACK_LOAD)
                                            .print(IDC_FIELD_MAPS)
                                            .print(IDC_BORDER_LIST)
                                            .answerBox(IDYES)
                                            .answerFile(saved)
                                            .close());
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes(kQuestion), 1) << run.out;
    EXPECT_EQ(run.shown(IDC_FIELD_MAPS),
              "0 map0.bmp|1 map1.bmp|2 map2.bmp|3 map3.bmp|4 map4.bmp sel=0");
    EXPECT_EQ(run.shown(IDC_BORDER_LIST).substr(0, 6), "0|1|2|");
    EXPECT_EQ(run.boxes("Kelvane: The track has changed"), 1) << run.out;
    const std::string bytes = readFileBytes(saved);
    ASSERT_EQ(bytes.size(), 3536u);
    EXPECT_EQ(bytes.substr(0, 1000 - 12), readFileBytes(cut).substr(0, 1000 - 12));
    EXPECT_EQ(bytes.substr(1000 - 12), std::string(3536 - 1000 + 12, '\0'));
}

TEST(LoadDamage, SalvageNoKeepsTheCurrentTrack) {
    TempFolder folder;
    const std::string cut = writeCutTrack(folder);
    ProgramRun run = runKelvane(folder, UiScript()
                                            .click(IDC_TRACK_NEW)
                                            .type(IDC_NEW_MAPS, 2)
                                            .key("Enter")
                                            .answerFile(cut)
                                            .answerBox(IDNO)
                                            .click(IDC_TRACK_LOAD)
                                            .print(IDC_FIELD_MAPS)
                                            .close());
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes(kQuestion), 1) << run.out;
    EXPECT_EQ(run.shown(IDC_FIELD_MAPS), "0|1 sel=0");
    // Nothing else was said, and the kept track closes without a question.
    EXPECT_EQ(run.boxes(), 1) << run.out;
}

// Twelve missing pictures, one that is not a picture and one name that
// leaves the folder: ten lines, then the rest counted, in one message.
TEST(LoadDamage, MissingFilesAreNamedOnceAfterLoad) {
    TempFolder folder;
    std::filesystem::create_directory(folder.path("t"));
    TempFolder::write(folder.path("t/notes.bmp"), "not a picture");
    TempFolder::write(folder.path("secret.bmp"), "BM");
    TrackDocument doc;
    doc.createTrack(2, 2, 15, 0, 0, 0);
    doc.setMapFile(0, "notes.bmp");
    doc.setMapFile(1, "../secret.bmp");
    for (DWORD i = 2; i < 14; ++i) doc.setMapFile(i, ("gone" + std::to_string(i) + ".bmp").c_str());
    doc.setMapFile(14, "gone2.bmp");
    const std::string path = folder.path("t/lost.trk");
    ASSERT_EQ(doc.saveTrack(path.c_str()), 1);
    ProgramRun run =
        runKelvane(folder, UiScript().answerFile(path).click(IDC_TRACK_LOAD).print(IDC_FIELD_MAPS));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.boxes(), 1) << run.out;
    const std::string expected =
        "Kelvane: These files could not be loaded:\n"
        "notes.bmp: not an image\n"
        "../secret.bmp: refused name (outside the folder)\n"
        "gone2.bmp: not found\ngone3.bmp: not found\ngone4.bmp: not found\n"
        "gone5.bmp: not found\ngone6.bmp: not found\ngone7.bmp: not found\n"
        "gone8.bmp: not found\ngone9.bmp: not found\n"
        "and 4 more.";
    EXPECT_EQ(run.box("Kelvane: These files"), expected) << run.out;
    // The track is loaded all the same.
    EXPECT_EQ(run.shown(IDC_FIELD_MAPS).substr(0, 14), "0 notes.bmp|1 ");
}

// A FIFO with no writer would block a plain open for ever: named as a map
// and as a mesh, it is refused at once and reported. `timeout` turns a hang
// into a failure instead of a stuck test run.
TEST(LoadDamage, PipesNamedInATrackAreRefusedWithoutWaiting) {
    TempFolder folder;
    ASSERT_EQ(mkfifo(folder.path("pipe.bmp").c_str(), 0644), 0);
    ASSERT_EQ(mkfifo(folder.path("pipe.x").c_str(), 0644), 0);
    TrackDocument doc;
    doc.createTrack(2, 2, 1, 0, 0, 1);
    doc.setMapFile(0, "pipe.bmp");
    doc.setMeshFile(0, "pipe.x");
    const std::string path = folder.path("pipes.trk");
    ASSERT_EQ(doc.saveTrack(path.c_str()), 1);
    ProgramRun run =
        runKelvane(folder, "answer-file " + path + "\nclick 1008\nprint 1021\n", "timeout 60");
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("MessageBox: Kelvane: These files could not be loaded:\n"
                           "pipe.bmp: cannot be read\npipe.x: cannot be read\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.line("1021:"), "1021: 0 pipe.bmp sel=0") << run.out;
}

TEST(LoadDamage, BrowseNamesTheFileAndAMeshsMissingTextures) {
    TempFolder folder;
    TempFolder::write(folder.path("notes.bmp"), "not a picture");
    TempFolder::write(folder.path("hut.x"),
                      "xof 0302txt 0032\nMesh M {\n3;\n0;0;0;,0;0;1;,1;0;0;;\n1;\n3;0,1,2;;\n"
                      "MeshMaterialList { 1; 1; 0;; Material { 1.0;1.0;1.0;1.0;; 8.0; "
                      "0.0;0.0;0.0;; 0.0;0.0;0.0;; TextureFilename { \"../wood.bmp\"; } } }\n}\n");
    ProgramRun run = runKelvane(folder, UiScript()
                                            .click(IDC_TRACK_NEW)
                                            .key("Enter")
                                            .answerFile(folder.path("notes.bmp"))
                                            .click(IDC_FIELD_BROWSE)
                                            .answerFile(folder.path("hut.x"))
                                            .click(IDC_MESH_BROWSE)
                                            .print(IDC_MESH_LIST));
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.messageBoxes,
              std::vector<std::string>(
                  {"Kelvane: These files could not be loaded:\nnotes.bmp: not an image",
                   "Kelvane: These files could not be loaded:\n"
                   "../wood.bmp (in hut.x): refused name (outside the folder)"}))
        << run.out;
    EXPECT_EQ(run.shown(IDC_MESH_LIST), "0 hut.x sel=0");
}

}  // namespace
