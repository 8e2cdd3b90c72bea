// `trk check` on the demo track and on copies of it with one problem each.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "temp_folder.h"
#include "track_document.h"

namespace {

class TrkCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.ok());
        std::filesystem::copy(KELVANE_DEMO_FOLDER, folder.path("demo"));
    }

    int check(const std::string& options = "") {
        const std::string command = std::string("'") + TRK_PROGRAM + "' check '" +
                                    folder.path("demo/demo.trk") + "' " + options + " >'" +
                                    folder.path("out") + "' 2>'" + folder.path("err") + "'";
        int status = std::system(command.c_str());
        out = TempFolder::read(folder.path("out"));
        err = TempFolder::read(folder.path("err"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The demo changed by `change` and saved over itself.
    void changeDemo(const std::function<void(TrackDocument&)>& change) {
        TrackDocument doc;
        std::string path = folder.path("demo/demo.trk");
        ASSERT_TRUE(doc.loadTrack(path.c_str()));
        change(doc);
        ASSERT_TRUE(doc.saveTrack(path.c_str()));
    }

    // Exactly one problem, reported as `line`.
    void expectOnly(const std::string& line) {
        EXPECT_EQ(check(), 1) << err;
        EXPECT_EQ(out, line + "\n");
    }

    TempFolder folder;
    std::string out, err;
};

TEST_F(TrkCheckTest, TheDemoIsClean) {
    EXPECT_EQ(check(), 0) << out << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(check("--json"), 0);
    EXPECT_NE(out.find("\"problems\": []"), std::string::npos) << out;
}

TEST_F(TrkCheckTest, MissingAndClimbingFileNames) {
    std::filesystem::remove(folder.path("demo/stone.bmp"));
    changeDemo([](TrackDocument& doc) { doc.setMeshFile(0, "../arch.x"); });
    EXPECT_EQ(check(), 1);
    EXPECT_NE(out.find("\"stone.bmp\": the file is missing or unreadable\n"), std::string::npos)
        << out;
    EXPECT_NE(out.find("mesh 0 \"../arch.x\": the name leaves the track's folder\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(check("--json"), 1);
    EXPECT_NE(out.find("{\"kind\": \"missing-file\", \"message\": \"map"), std::string::npos)
        << out;
    EXPECT_NE(out.find("\"kind\": \"outside-folder\""), std::string::npos) << out;
}

// Names read back one way: a quote and a backslash in a stored name are
// escaped like unprintable bytes, and a control character in the track's own
// path never reaches the JSON raw.
TEST_F(TrkCheckTest, OddNamesAreEscapedInTextAndJson) {
    changeDemo([](TrackDocument& doc) { doc.setMapFile(4, "sub\\a\"b.bmp"); });
    EXPECT_EQ(check(), 1);
    EXPECT_NE(out.find("\"sub\\x5Ca\\x22b.bmp\": the file is missing or unreadable\n"),
              std::string::npos)
        << out;
    const std::string odd = folder.path("demo/odd\nname.trk");
    std::filesystem::copy_file(folder.path("demo/demo.trk"), odd);
    const std::string command = std::string("'") + TRK_PROGRAM + "' check '" + odd +
                                "' --json >'" + folder.path("out") + "' 2>/dev/null";
    ASSERT_NE(std::system(command.c_str()), -1);
    out = TempFolder::read(folder.path("out"));
    EXPECT_NE(out.find("odd\\u000Aname.trk"), std::string::npos) << out;
    EXPECT_EQ(out.find("odd\nname"), std::string::npos) << "no raw newline inside a string";
}

TEST_F(TrkCheckTest, MapThatNothingUses) {
    changeDemo([](TrackDocument& doc) {
        ASSERT_TRUE(doc.addMap());
        doc.setMapFile(doc.getMapCount() - 1, "grass.bmp");
    });
    TrackDocument doc;
    ASSERT_TRUE(doc.loadTrack(folder.path("demo/demo.trk").c_str()));
    expectOnly("map " + std::to_string(doc.getMapCount() - 1) +
               " \"grass.bmp\": no cell, billboard, wall or background uses it");
}

TEST_F(TrkCheckTest, BorderOffTheGridOrUpsideDown) {
    changeDemo([](TrackDocument& doc) {
        doc.setBorderX2(0, 2401);
        doc.setBorderTop(1, 10);
        doc.setBorderBottom(1, 50);
    });
    EXPECT_EQ(check(), 1);
    EXPECT_NE(out.find("border 0: from "), std::string::npos) << out;
    EXPECT_NE(out.find("to 2401, "), std::string::npos) << out;
    EXPECT_NE(out.find(" leaves the grid (0-2400, 0-1600)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("border 1: top 10 is below bottom 50\n"), std::string::npos) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;
}

TEST_F(TrkCheckTest, NoStartOrStopBorder) {
    changeDemo([](TrackDocument& doc) {
        for (DWORD b = 0; b < doc.getBorderCount(); ++b) doc.setBorderType(b, 0);
    });
    EXPECT_EQ(check(), 1);
    EXPECT_EQ(out, "no start-time border\nno stop-time border\n");
}

TEST_F(TrkCheckTest, BillboardAndMeshOffTheGrid) {
    changeDemo([](TrackDocument& doc) {
        doc.setBillboardPosZ(0, 1601);
        doc.setMeshPosX(0, 5000);
    });
    EXPECT_EQ(check(), 1);
    EXPECT_NE(out.find("billboard 0: at "), std::string::npos) << out;
    EXPECT_NE(out.find(", 1601 off the grid\n"), std::string::npos) << out;
    EXPECT_NE(out.find("mesh 0: at 5000, "), std::string::npos) << out;
}

TEST_F(TrkCheckTest, CellsWithAMapThatDoesNotExist) {
    changeDemo([](TrackDocument& doc) {
        doc.fieldAt(3, 2)->map = 40;
        doc.fieldAt(5, 2)->map = 40;
    });
    expectOnly("map 40 does not exist but 2 cell(s) use it, the first at 3, 2");
}

TEST_F(TrkCheckTest, UnreadableTrackAndUsage) {
    std::filesystem::resize_file(folder.path("demo/demo.trk"), 100);
    EXPECT_EQ(check(), 1);
    EXPECT_NE(err.find("demo.trk: "), std::string::npos) << err;
    EXPECT_EQ(check("--yaml"), 2);
}

}  // namespace
