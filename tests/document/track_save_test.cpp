// Saving over what is already there: links, read-only and private files, long
// names, stale temporary files, and saves killed half-way.
#include <gtest/gtest.h>

#include <windows.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "file_replace.h"
#include "temp_folder.h"
#include "track_document.h"
#include "track_snapshot.h"

namespace {

class TrackSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.ok());
        fillTrack(doc);
    }
    std::string saved() {
        TempFolder other;
        doc.saveTrack(other.path("t.trk").c_str());
        return TempFolder::read(other.path("t.trk"));
    }

    TempFolder folder;
    TrackDocument doc;
};

TEST_F(TrackSaveTest, LinksStayLinksAndEveryNameShowsTheTrack) {
    const std::string real = folder.path("real.trk");
    TempFolder::write(real, "old");
    ASSERT_EQ(link(real.c_str(), folder.path("hard.trk").c_str()), 0);
    ASSERT_EQ(symlink(real.c_str(), folder.path("soft.trk").c_str()), 0);
    ASSERT_EQ(doc.saveTrack(folder.path("soft.trk").c_str()), 1) << doc.lastErrorText();
    EXPECT_EQ(TempFolder::read(real), saved());
    EXPECT_EQ(TempFolder::read(folder.path("hard.trk")), saved());
    struct stat st;
    ASSERT_EQ(lstat(folder.path("soft.trk").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    doc.setFieldMap(0, 0, 1);
    ASSERT_EQ(doc.saveTrack(folder.path("hard.trk").c_str()), 1) << doc.lastErrorText();
    EXPECT_EQ(TempFolder::read(real), saved());
    EXPECT_EQ(folder.entries(), 3u) << "no temporary file is left";
}

TEST_F(TrackSaveTest, ReadOnlyIsRefusedAndPrivateStaysPrivate) {
    const std::string locked = folder.path("locked.trk");
    TempFolder::write(locked, "old");
    ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
    EXPECT_EQ(doc.saveTrack(locked.c_str()), 0);
    EXPECT_STREQ(doc.lastErrorText(), "access is denied");
    EXPECT_EQ(TempFolder::read(locked), "old");

    const std::string mine = folder.path("mine.trk");
    TempFolder::write(mine, "old");
    ASSERT_EQ(chmod(mine.c_str(), 0600), 0);
    ASSERT_EQ(doc.saveTrack(mine.c_str()), 1);
    struct stat st;
    ASSERT_EQ(stat(mine.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(folder.entries(), 2u);
}

TEST_F(TrackSaveTest, TheLongestNameSavesAndAStaleTemporaryGoes) {
    const std::string longest = folder.path(std::string(251, 'n') + ".trk");
    ASSERT_EQ(doc.saveTrack(longest.c_str()), 1) << doc.lastErrorText();
    EXPECT_EQ(TempFolder::read(longest), saved());
    EXPECT_LT(temporaryPathFor(longest.c_str()).size(), folder.dir().size() + 20);

    // What a save killed half-way leaves behind, for the next save to remove.
    TempFolder::write(temporaryPathFor(longest.c_str()), "half a track");
    ASSERT_EQ(doc.saveTrack(longest.c_str()), 1);
    EXPECT_EQ(folder.entries(), 1u);
}

// Saves of two different large tracks, each killed at a different moment: the
// file is always one of them, whole, beside at most one temporary file.
TEST_F(TrackSaveTest, KilledSavesLeaveOneWholeTrackAndAtMostOneTemporary) {
    const std::string path = folder.path("big.trk");
    TrackDocument big, other;
    big.createTrack(400, 400, 5, 5, 20, 1);
    other.createTrack(400, 300, 5, 5, 20, 1);
    ASSERT_EQ(big.saveTrack(path.c_str()), 1);
    const size_t sizes[] = {TempFolder::read(path).size(), 0};
    int interrupted = 0;
    for (int round = 0; round < 20; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int k = 0;; ++k) (k % 2 ? big : other).saveTrack(path.c_str());
        }
        usleep(useconds_t(1000 + round * 700));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        TrackDocument loaded;
        ASSERT_EQ(loaded.loadTrack(path.c_str()), 1) << "round " << round;
        size_t size = TempFolder::read(path).size();
        EXPECT_TRUE(size == sizes[0] || size == 88 + 5 * 72 + 400 * 300 * 20 + 5 * 52 + 20 * 36 + 108)
            << size;
        EXPECT_LE(folder.entries(), 2u) << "round " << round;
        interrupted += folder.entries() == 2;
    }
    EXPECT_GT(interrupted, 0) << "no kill landed inside a save";
    ASSERT_EQ(big.saveTrack(path.c_str()), 1);
    EXPECT_EQ(folder.entries(), 1u);
}

}  // namespace
