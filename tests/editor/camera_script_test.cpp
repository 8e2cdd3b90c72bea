// The camera buttons on the real program: each press repaints the Preview
// from the moved camera.
#include <gtest/gtest.h>

#include <string>

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

    auto shot = [&folder](const char* name) {
        return "snapshot Preview " + folder.path(name) + "\n";
    };
    std::string script = "answer-file " + track + "\nclick 1008\n" + shot("start.png") +
                         "click 1029\nclick 1029\n" + shot("forward.png") +
                         "click 1030\nclick 1030\n" + shot("back.png") + "click 1038\n" +
                         shot("left.png") + "click 1039\nclick 1025\n" + shot("turned.png") +
                         "click 1026\nclick 1027\n" + shot("up.png");
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
