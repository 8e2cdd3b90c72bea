// Whole tracks built by a scripted user from nothing, compared with pictures
// looked at and kept under golden/. KELVANE_WRITE_GOLDEN=1 writes them anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "panel_script.h"
#include "program_run.h"
#include "track_document.h"

namespace {

std::string lines(const std::string& line, int times) {
    std::string out;
    for (int k = 0; k < times; ++k) out += line + "\n";
    return out;
}

// The pictures come from the folder, so a saved track finds them there.
std::string browseMaps(const TempFolder& folder) {
    std::string script;
    const char* files[] = {"grass.bmp", "road.bmp", "sky.bmp", "wall.bmp", "tree.tga"};
    for (int m = 0; m < 5; ++m)
        script += "choose 1021 " + std::to_string(m) + "\nanswer-file " + folder.path(files[m]) +
                  "\nclick 1015\n";
    return script;
}

// Grass everywhere, then the other four shapes and a turned slope on road in
// row 2.
std::string fieldLines() {
    std::string script = "choose 1021 0\nclick 1055\nclick 1024\nchoose 1021 1\ntype 1011 2\n";
    const int cells[][3] = {{1, 1054, 0}, {2, 1052, 0}, {3, 1052, 1},
                            {4, 1043, 0}, {5, 1044, 0}, {6, 1052, 2}};
    for (const auto& c : cells)
        script += "type 1010 " + std::to_string(c[0]) + "\nclick " + std::to_string(c[1]) +
                  "\nchoose 1046 " + std::to_string(c[2]) + "\nclick 1022\n";
    return script + "choose 1031 3\nchoose 1033 2\n";
}

std::string objectLines(const TempFolder& folder) {
    return "choose 1034 0\ntype 1012 250\ntype 1013 50\ntype 1014 150\nchoose 1035 4\n"
           "choose 1034 1\nclick 1037\ntype 1012 450\ntype 1013 50\ntype 1014 450\n"
           "choose 1035 4\n"
           "choose 1065 0\ntype 1059 350\ntype 1061 520\ntype 1062 80\ntype 1063 30\n"
           "answer-file " +
           folder.path("block.x") +
           "\nclick 1064\n"
           "choose 1041 0\ntype 1023 100\ntype 1036 560\ntype 1019 700\ntype 1020 560\n"
           "type 1047 60\n"
           "choose 1041 1\ntype 1023 750\ntype 1036 100\ntype 1019 750\ntype 1020 500\n"
           "type 1047 80\nchoose 1049 2\n"
           // What Load chooses, so both pictures mark the same things.
           "choose 1034 0\nchoose 1041 0\ntype 1010 0\ntype 1011 0\n";
}

std::string cameraLines() {
    return lines("click 1029", 35) + lines("click 1027", 12);
}

TEST(GoldenTrack, FiveShapesWithWallsAndBackground) {
    TempFolder folder;
    ASSERT_TRUE(copyTestData(folder));
    std::string script = newTrackLines(8, 6, 5, 0, 0, 0) + browseMaps(folder) + fieldLines() +
                         cameraLines() + snapshotLines(folder, "fields.png");
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    expectLikeGolden(folder.path("fields.png"), "fields.png");
}

// Built, saved, loaded in a second run and saved again: the same bytes and
// the same picture.
TEST(GoldenTrack, EveryKindOfObjectSurvivesSaveAndLoad) {
    TempFolder folder;
    ASSERT_TRUE(copyTestData(folder));
    std::string built = newTrackLines(8, 6, 5, 2, 2, 1) + browseMaps(folder) + fieldLines() +
                        objectLines(folder) + cameraLines() + snapshotLines(folder, "built.png") +
                        saveTrackLines(folder, "built.trk");
    ProgramRun first = runKelvane(folder, built);
    ASSERT_EQ(first.exitCode, 0) << first.out;
    ASSERT_EQ(first.count("MessageBox"), 0) << first.out;
    std::string reloaded = loadTrackLines(folder.path("built.trk")) + cameraLines() +
                           snapshotLines(folder, "loaded.png") +
                           saveTrackLines(folder, "again.trk");
    ProgramRun second = runKelvane(folder, reloaded);
    ASSERT_EQ(second.exitCode, 0) << second.out;

    std::string bytes = readFileBytes(folder.path("built.trk"));
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(readFileBytes(folder.path("again.trk")), bytes);
    TrackDocument doc;
    ASSERT_TRUE(doc.loadTrack(folder.path("built.trk").c_str()));
    EXPECT_STREQ(doc.getMeshName(0), "block.x");
    EXPECT_EQ(doc.getBackgroundMap(), 2u);
    EXPECT_EQ(doc.getBorderMap(), 3u);
    EXPECT_EQ(doc.getBillboardFace(1), 1u);
    EXPECT_EQ(doc.getBorderType(1), 2u);

    Picture built_, loaded;
    ASSERT_TRUE(loadPicture(folder.path("built.png"), &built_));
    ASSERT_TRUE(loadPicture(folder.path("loaded.png"), &loaded));
    EXPECT_EQ(differingFraction(built_, loaded, 0), 0.0);
    expectLikeGolden(folder.path("loaded.png"), "track.png");
}

}  // namespace
