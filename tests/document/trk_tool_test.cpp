// Runs the built trk program as a script would.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "temp_folder.h"
#include "track_document.h"

namespace {

class TrkToolTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.ok()); }

    // Exit status of `trk ARGS`, with its stdout and stderr kept in out/err.
    int trk(const std::string& args) {
        const std::string command = std::string("'") + TRK_PROGRAM + "' " + args + " >'" +
                                    folder.path("out") + "' 2>'" + folder.path("err") + "'";
        int status = std::system(command.c_str());
        out = TempFolder::read(folder.path("out"));
        err = TempFolder::read(folder.path("err"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string quoted(const char* name) { return "'" + folder.path(name) + "'"; }

    TempFolder folder;
    std::string out, err;
};

TEST_F(TrkToolTest, NewWritesTheDefaultTrack) {
    ASSERT_EQ(trk("new " + quoted("x.trk")), 0) << err;
    TrackDocument doc;
    doc.createTrack(10, 10, 5, 5, 20, 1);
    ASSERT_EQ(doc.saveTrack(folder.path("ref.trk").c_str()), 1);
    const std::string written = TempFolder::read(folder.path("x.trk"));
    EXPECT_EQ(written.size(), 3536u);
    EXPECT_EQ(written, TempFolder::read(folder.path("ref.trk")));
}

TEST_F(TrkToolTest, NewWithOptionsThenInfo) {
    ASSERT_EQ(
        trk("new --size 3x7 --maps 2 --billboards 0 --borders 4 --meshes 3 " + quoted("o.trk")), 0)
        << err;
    ASSERT_EQ(trk("info " + quoted("o.trk")), 0) << err;
    EXPECT_NE(out.find("magic: MTRACK00\n"), std::string::npos) << out;
    EXPECT_NE(out.find("size: 3 x 7\n"), std::string::npos) << out;
    EXPECT_NE(out.find("fields: 21 (0 in use)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("maps: 2 (0 in use)\nbillboards: 0 (0 in use)\nborders: 4 (0 in use)\n"
                       "meshes: 3 (0 in use)\n"),
              std::string::npos)
        << out;
}

TEST_F(TrkToolTest, InfoListsNamesOfUsedSlotsAndCopyIsByteIdentical) {
    TrackDocument doc;
    doc.createTrack(2, 2, 2, 1, 1, 2);
    doc.setMapFile(1, "a-long-name.bmp");
    doc.setMapFile(1, "sky\x01.bmp");
    doc.setMeshFile(0, "car.x");
    doc.setFieldMap(1, 1, 1);
    ASSERT_EQ(doc.saveTrack(folder.path("in.trk").c_str()), 1);

    ASSERT_EQ(trk("info " + quoted("in.trk")), 0) << err;
    EXPECT_NE(out.find("fields: 4 (1 in use)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("map 1: sky\\x01.bmp\n"), std::string::npos) << out;
    EXPECT_NE(out.find("mesh 0: car.x\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("map 0:"), std::string::npos) << out;

    ASSERT_EQ(trk("copy " + quoted("in.trk") + " " + quoted("out.trk")), 0) << err;
    EXPECT_EQ(TempFolder::read(folder.path("out.trk")), TempFolder::read(folder.path("in.trk")));
}

TEST_F(TrkToolTest, DamagedFileIsNamedAndExitsOne) {
    ASSERT_EQ(trk("new " + quoted("t.trk")), 0);
    const std::string whole = TempFolder::read(folder.path("t.trk"));
    TempFolder::write(folder.path("t.trk"), whole.substr(0, 1000));
    EXPECT_EQ(trk("info " + quoted("t.trk")), 1);
    EXPECT_NE(err.find("t.trk: truncated: 27 of 100 cells and 5 of 31 records are complete\n"),
              std::string::npos)
        << err;
    EXPECT_EQ(out, "");
    EXPECT_EQ(trk("copy " + quoted("t.trk") + " " + quoted("u.trk")), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.path("u.trk")));

    TempFolder::write(folder.path("s.trk"), "MTRACK00");
    EXPECT_EQ(trk("info " + quoted("s.trk")), 1);
    EXPECT_NE(err.find("not a track file (too short)"), std::string::npos) << err;
    EXPECT_EQ(trk("info " + quoted("absent.trk")), 1);
    EXPECT_NE(err.find("cannot open"), std::string::npos) << err;
    EXPECT_EQ(trk("new --size 65536x65536 " + quoted("big.trk")), 1);
    EXPECT_NE(err.find("track too large"), std::string::npos) << err;
}

// 1000 bytes of the default track: its 5 maps and 27 of 100 cells are whole.
TEST_F(TrkToolTest, SalvagedCopyKeepsTheWholeRecordsAndEmptiesTheRest) {
    ASSERT_EQ(trk("new " + quoted("t.trk")), 0);
    const std::string whole = TempFolder::read(folder.path("t.trk"));
    TempFolder::write(folder.path("cut.trk"), whole.substr(0, 1000));
    ASSERT_EQ(trk("copy --salvage " + quoted("cut.trk") + " " + quoted("u.trk")), 0) << err;
    EXPECT_NE(err.find("ends early: 27 of 100 cells and 5 of 31 records are complete"),
              std::string::npos)
        << err;
    const std::string saved = TempFolder::read(folder.path("u.trk"));
    ASSERT_EQ(saved.size(), whole.size());
    EXPECT_EQ(saved.substr(0, 88 + 5 * 72 + 27 * 20), whole.substr(0, 88 + 5 * 72 + 27 * 20));
    EXPECT_EQ(saved.substr(88 + 5 * 72 + 27 * 20), std::string(whole.size() - 1000 + 12, '\0'));
    // The input itself is not touched, and still reported as damaged.
    EXPECT_EQ(TempFolder::read(folder.path("cut.trk")), whole.substr(0, 1000));
    EXPECT_EQ(trk("info " + quoted("cut.trk")), 1);
    // A whole file copies as it is, without a word.
    ASSERT_EQ(trk("copy --salvage " + quoted("t.trk") + " " + quoted("v.trk")), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_EQ(TempFolder::read(folder.path("v.trk")), whole);
    // A header alone is not salvageable.
    TempFolder::write(folder.path("s.trk"), "MTRACK00");
    EXPECT_EQ(trk("copy --salvage " + quoted("s.trk") + " " + quoted("w.trk")), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.path("w.trk")));
}

// A FIFO with no writer would block a plain open for ever; `timeout` turns a
// hang into a failure instead of a stuck test run.
TEST_F(TrkToolTest, OnlyPlainFilesAreReadOrReplacedAndNothingBlocks) {
    ASSERT_EQ(mkfifo(folder.path("pipe.trk").c_str(), 0644), 0);
    const std::string timed = std::string("timeout 10 '") + TRK_PROGRAM + "' ";
    EXPECT_EQ(std::system((timed + "info " + quoted("pipe.trk") + " 2>/dev/null").c_str()),
              1 << 8);
    ASSERT_EQ(trk("new " + quoted("t.trk")), 0);
    EXPECT_EQ(std::system((timed + "copy " + quoted("t.trk") + " " + quoted("pipe.trk") +
                           " 2>/dev/null").c_str()),
              1 << 8);
    ASSERT_EQ(trk("copy " + quoted("t.trk") + " " + quoted("pipe.trk")), 1);
    EXPECT_NE(err.find("pipe.trk: access is denied"), std::string::npos) << err;
}

TEST_F(TrkToolTest, UsageErrorsExitTwoWithOneLine) {
    const char* misuses[] = {"",
                             "frobnicate",
                             "new",
                             "new --size 10 a.trk",
                             "new --size 10x a.trk",
                             "new --maps -1 a.trk",
                             "new --maps 4294967296 a.trk",
                             "new --bogus 1 a.trk",
                             "new a.trk b.trk",
                             "new a.trk --maps",
                             "info",
                             "copy a.trk",
                             "copy --salvage a.trk"};
    for (const char* args : misuses) {
        EXPECT_EQ(trk(args), 2) << args;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << args << ": " << err;
    }
    EXPECT_FALSE(std::filesystem::exists("a.trk"));
    EXPECT_EQ(trk("--help"), 0);
    EXPECT_NE(out.find("trk info FILE"), std::string::npos);
}

}  // namespace
