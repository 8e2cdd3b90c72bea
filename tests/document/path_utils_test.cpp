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

// Names a track or a .x file may store: plain names and subfolders pass;
// anything that leaves the folder is refused with a reason.
TEST(NameStaysInFolderTest, PlainNamesAndSubfoldersPassEscapesAreRefused) {
    const char* good[] = {"grass.bmp", "tex/grass.bmp", "tex\\grass.bmp", "a..b.bmp", "./x.bmp",
                          ".hidden", "..name"};
    for (const char* name : good) EXPECT_TRUE(nameStaysInFolder(name, std::strlen(name))) << name;
    const struct {
        const char* name;
        const char* reason;
    } bad[] = {
        {"", "empty name"},
        {"/proc/self/mem", "absolute name"},
        {"\\\\server\\share\\x.bmp", "absolute name"},
        {"\\windows\\x.bmp", "absolute name"},
        {"C:\\x.bmp", "drive or stream name"},
        {"c:x.bmp", "drive or stream name"},
        {"x.bmp:stream", "drive or stream name"},
        {"..", "name climbs out of its folder"},
        {"../secret.bmp", "name climbs out of its folder"},
        {"tex\\..\\..\\up.bmp", "name climbs out of its folder"},
        {"tex/../x.bmp", "name climbs out of its folder"},
        {".../x.bmp", "name climbs out of its folder"},
        {". ./x.bmp", "name climbs out of its folder"},
        {"tex/..", "name climbs out of its folder"},
    };
    for (const auto& c : bad) {
        const char* reason = nullptr;
        EXPECT_FALSE(nameStaysInFolder(c.name, std::strlen(c.name), &reason)) << c.name;
        EXPECT_STREQ(reason, c.reason) << c.name;
    }
    // Only `length` bytes count, and a NUL ends the name sooner.
    const char field[8] = {'a', '.', 'b', 'm', 'p', '\0', '.', '.'};
    EXPECT_TRUE(nameStaysInFolder(field, sizeof field));
    const char unterminated[4] = {'.', '.', '/', 'x'};
    EXPECT_FALSE(nameStaysInFolder(unterminated, 2));
    EXPECT_FALSE(nameStaysInFolder("../x", 0));
    EXPECT_FALSE(nameStaysInFolder(nullptr, 4));
}

}  // namespace
