#include "path_utils.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(DirectoryOfPathTest, FolderWithoutTrailingSeparator) {
    char out[128];
    std::memset(out, 'q', sizeof out);
    out[127] = '\0';  // a longer earlier string
    EXPECT_EQ(directoryOfPath(out, sizeof out, "C:\\Tracks\\oval.trk", "oval.trk"), out);
    EXPECT_STREQ(out, "C:\\Tracks");
    EXPECT_EQ(directoryOfPath(out, sizeof out, "/home/u/t.trk", "t.trk"), out);
    EXPECT_STREQ(out, "/home/u");
}

TEST(DirectoryOfPathTest, NeverWritesPastTheBuffer) {
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    // The folder "C:\Tracks" needs 10 bytes; offer 9, guarded by 7 more.
    EXPECT_EQ(directoryOfPath(buffer, 9, "C:\\Tracks\\oval.trk", "oval.trk"), nullptr);
    EXPECT_EQ(buffer[0], '\0');
    for (int k = 9; k < 16; ++k) EXPECT_EQ(buffer[k], '#');
    EXPECT_EQ(directoryOfPath(buffer, 10, "C:\\Tracks\\oval.trk", "oval.trk"), buffer);
    EXPECT_STREQ(buffer, "C:\\Tracks");
    EXPECT_EQ(directoryOfPath(buffer, 0, "a\\b", "b"), nullptr);
    EXPECT_EQ(buffer[0], 'C');
}

TEST(DirectoryOfPathTest, TitleWithoutFolderGivesEmptyFolder) {
    char out[8] = "old";
    EXPECT_EQ(directoryOfPath(out, sizeof out, "oval.trk", "oval.trk"), out);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(directoryOfPath(out, sizeof out, "a", "longer title"), out);
    EXPECT_STREQ(out, "");
}

}  // namespace
