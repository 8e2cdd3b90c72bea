// The camera buttons on the real program: each press repaints the Preview
// from the moved camera.
#include <gtest/gtest.h>

#include <string>

#include "kelvane_ids.h"
#include "program_run.h"
#include "track_document.h"

namespace {

TEST(CameraScript, ButtonsMoveTheViewAndOppositeStepsReturnToIt) {
    TempFolder folder;
    TrackDocument doc;
    ASSERT_TRUE(doc.createTrack(12, 8, 2, 0, 1, 0));
    for (DWORD j = 0; j < 8; ++j)
        for (DWORD i = 0; i < 12; ++i) doc.setFieldMap(i, j, (i + j) % 2);
    std::string track = folder.path("chess.trk");
    ASSERT_TRUE(doc.saveTrack(track.c_str()));

    auto shot = [&folder](const char* name) { return folder.path(name); };
    UiScript script = UiScript()
                          .answerFile(track)
                          .click(IDC_TRACK_LOAD)
                          .snapshot("Preview", shot("start.png"))
                          .click(IDC_CAMERA_FORWARD)
                          .click(IDC_CAMERA_FORWARD)
                          .snapshot("Preview", shot("forward.png"))
                          .click(IDC_CAMERA_BACK)
                          .click(IDC_CAMERA_BACK)
                          .snapshot("Preview", shot("back.png"))
                          .click(IDC_CAMERA_STEP_LEFT)
                          .snapshot("Preview", shot("left.png"))
                          .click(IDC_CAMERA_STEP_RIGHT)
                          .click(IDC_CAMERA_LEFT)
                          .snapshot("Preview", shot("turned.png"))
                          .click(IDC_CAMERA_RIGHT)
                          .click(IDC_CAMERA_UP)
                          .snapshot("Preview", shot("up.png"));
    ProgramRun run = runKelvane(folder, script);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    std::string start = readFileBytes(folder.path("start.png"));
    ASSERT_FALSE(start.empty());
    EXPECT_NE(readFileBytes(folder.path("forward.png")), start);
    EXPECT_EQ(readFileBytes(folder.path("back.png")), start);
    EXPECT_NE(readFileBytes(folder.path("left.png")), start);
    EXPECT_NE(readFileBytes(folder.path("turned.png")), start);
    EXPECT_NE(readFileBytes(folder.path("up.png")), start);
}

}  // namespace
