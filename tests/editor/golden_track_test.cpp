// Whole tracks built by a scripted user from nothing, compared with pictures
// looked at and kept under golden/. KELVANE_WRITE_GOLDEN=1 writes them anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "panel_script.h"
#include "track_document.h"

namespace {

UiScript clicks(int id, int times) {
    UiScript script;
    for (int k = 0; k < times; ++k) script.click(id);
    return script;
}

// The pictures come from the folder, so a saved track finds them there.
UiScript browseMaps(const TempFolder& folder) {
    UiScript script;
    const char* files[] = {"grass.bmp", "road.bmp", "sky.bmp", "wall.bmp", "tree.tga"};
    for (int m = 0; m < 5; ++m)
        script.choose(IDC_FIELD_MAPS, m).answerFile(folder.path(files[m])).click(IDC_FIELD_BROWSE);
    return script;
}

// Grass everywhere, then the other four shapes and a turned slope on road in
// row 2.
UiScript fieldLines() {
    UiScript script = UiScript()
                          .choose(IDC_FIELD_MAPS, 0)
                          .click(IDC_SHAPE_GROUND)
                          .click(IDC_FIELD_SET_ALL)
                          .choose(IDC_FIELD_MAPS, 1)
                          .type(IDC_FIELD_J, 2);
    const int cells[][3] = {{1, IDC_SHAPE_TOP, 0},     {2, IDC_SHAPE_SLOPE, 0},
                            {3, IDC_SHAPE_SLOPE, 1},   {4, IDC_SHAPE_CORNER1, 0},
                            {5, IDC_SHAPE_CORNER2, 0}, {6, IDC_SHAPE_SLOPE, 2}};
    for (const auto& c : cells)
        script.type(IDC_FIELD_I, c[0])
            .click(c[1])
            .choose(IDC_FIELD_ORIENTATION, c[2])
            .click(IDC_FIELD_SET);
    return script.choose(IDC_BORDER_MAP, 3).choose(IDC_BACKGROUND_MAP, 2);
}

UiScript objectLines(const TempFolder& folder) {
    return UiScript()
        .choose(IDC_SPRITE_NUMBER, 0)
        .type(IDC_SPRITE_POS_X, 250)
        .type(IDC_SPRITE_POS_Y, 50)
        .type(IDC_SPRITE_POS_Z, 150)
        .choose(IDC_SPRITE_MAP, 4)
        .choose(IDC_SPRITE_NUMBER, 1)
        .click(IDC_SPRITE_FACE)
        .type(IDC_SPRITE_POS_X, 450)
        .type(IDC_SPRITE_POS_Y, 50)
        .type(IDC_SPRITE_POS_Z, 450)
        .choose(IDC_SPRITE_MAP, 4)
        .choose(IDC_MESH_LIST, 0)
        .type(IDC_MESH_POS_X, 350)
        .type(IDC_MESH_POS_Z, 520)
        .type(IDC_MESH_SCALE, 80)
        .type(IDC_MESH_ANGLE, 30)
        .answerFile(folder.path("block.x"))
        .click(IDC_MESH_BROWSE)
        .choose(IDC_BORDER_LIST, 0)
        .type(IDC_BORDER_X1, 100)
        .type(IDC_BORDER_Z1, 560)
        .type(IDC_BORDER_X2, 700)
        .type(IDC_BORDER_Z2, 560)
        .type(IDC_BORDER_TOP, 60)
        .choose(IDC_BORDER_LIST, 1)
        .type(IDC_BORDER_X1, 750)
        .type(IDC_BORDER_Z1, 100)
        .type(IDC_BORDER_X2, 750)
        .type(IDC_BORDER_Z2, 500)
        .type(IDC_BORDER_TOP, 80)
        .choose(IDC_BORDER_TYPE, 2)
        // What Load chooses, so both pictures mark the same things.
        .choose(IDC_SPRITE_NUMBER, 0)
        .choose(IDC_BORDER_LIST, 0)
        .type(IDC_FIELD_I, 0)
        .type(IDC_FIELD_J, 0);
}

UiScript cameraLines() {
    return clicks(IDC_CAMERA_FORWARD, 35) + clicks(IDC_CAMERA_UP, 12);
}

TEST(GoldenTrack, FiveShapesWithWallsAndBackground) {
    TempFolder folder;
    ASSERT_TRUE(copyTestData(folder));
    UiScript script = newTrackLines(8, 6, 5, 0, 0, 0) + browseMaps(folder) + fieldLines() +
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
    UiScript built = newTrackLines(8, 6, 5, 2, 2, 1) + browseMaps(folder) + fieldLines() +
                     objectLines(folder) + cameraLines() + snapshotLines(folder, "built.png") +
                     saveTrackLines(folder, "built.trk");
    ProgramRun first = runKelvane(folder, built);
    ASSERT_EQ(first.exitCode, 0) << first.out;
    ASSERT_EQ(first.boxes(), 0) << first.out;
    UiScript reloaded = loadTrackLines(folder.path("built.trk")) + cameraLines() +
                        snapshotLines(folder, "loaded.png") + saveTrackLines(folder, "again.trk");
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
