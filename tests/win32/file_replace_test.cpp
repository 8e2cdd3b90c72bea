// ReplaceFileA and the file functions' refusals: links kept, the read-only
// attribute honoured, identity kept, and nothing that is not a plain file
// ever opened (nor waited on).
#include <windows.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "temp_folder.h"

namespace {

class ReplaceFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp.ok()); }

    // Puts `text` in a new replacement file and replaces `target` with it.
    BOOL replaceWith(const std::string& target, const std::string& text) {
        TempFolder::write(temp.path("new.tmp"), text);
        return ReplaceFileA(target.c_str(), temp.path("new.tmp").c_str(), nullptr,
                            REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                            nullptr, nullptr);
    }
    mode_t modeOf(const std::string& path) {
        struct stat st;
        return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }

    TempFolder temp;
};

TEST_F(ReplaceFileTest, LinksKeepPointingAtTheNewContent) {
    const std::string real = temp.path("real.trk");
    TempFolder::write(real, "old");
    ASSERT_EQ(symlink("real.trk", temp.path("link.trk").c_str()), 0);
    ASSERT_TRUE(replaceWith(temp.path("link.trk"), "through the link"));
    EXPECT_EQ(TempFolder::read(real), "through the link");
    struct stat st;
    ASSERT_EQ(lstat(temp.path("link.trk").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    ASSERT_EQ(link(real.c_str(), temp.path("second.trk").c_str()), 0);
    ASSERT_TRUE(replaceWith(real, "every name"));
    EXPECT_EQ(TempFolder::read(temp.path("second.trk")), "every name");
    EXPECT_EQ(TempFolder::read(temp.path("link.trk")), "every name");
    EXPECT_EQ(temp.entries(), 3u) << "no replacement file is left";
}

TEST_F(ReplaceFileTest, PermissionBitsOfTheTargetAreKept) {
    const std::string target = temp.path("private.trk");
    TempFolder::write(target, "old");
    for (mode_t mode : {0600, 0640, 0751}) {
        ASSERT_EQ(chmod(target.c_str(), mode), 0);
        ASSERT_TRUE(replaceWith(target, "new"));
        EXPECT_EQ(modeOf(target), mode);
    }
}

// No write bit at all is Windows' read-only attribute: it binds root too.
TEST_F(ReplaceFileTest, ReadOnlyTargetsAreRefusedAndUnchanged) {
    const std::string target = temp.path("locked.trk");
    TempFolder::write(target, "old");
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    EXPECT_FALSE(replaceWith(target, "new"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(TempFolder::read(target), "old");
    EXPECT_EQ(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY,
              DWORD(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DeleteFileA(target.c_str()));
    EXPECT_FALSE(MoveFileExA(temp.path("new.tmp").c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(TempFolder::read(target), "old");
}

TEST_F(ReplaceFileTest, AMissingTargetOrUnsupportedArgumentsFailLoudly) {
    EXPECT_FALSE(replaceWith(temp.path("absent.trk"), "new"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    TempFolder::write(temp.path("t.trk"), "old");
    EXPECT_FALSE(ReplaceFileA(temp.path("t.trk").c_str(), temp.path("new.tmp").c_str(),
                              temp.path("backup").c_str(), 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(TempFolder::read(temp.path("t.trk")), "old");
}

TEST_F(ReplaceFileTest, TrailingBlanksAndDotsOfTheLastNameAreDropped) {
    HANDLE file = CreateFileA(temp.path("trail.car . ").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    struct stat st;
    EXPECT_EQ(stat(temp.path("trail.car").c_str(), &st), 0);
    EXPECT_EQ(temp.entries(), 1u);
}

// A FIFO with no writer would block a plain open for ever.
TEST_F(ReplaceFileTest, OnlyPlainFilesOpenAndNothingBlocks) {
    const std::string fifo = temp.path("pipe.trk");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    for (DWORD access : {GENERIC_READ, GENERIC_WRITE}) {
        EXPECT_EQ(CreateFileA(fifo.c_str(), access, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr),
                  INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    }
    EXPECT_EQ(CreateFileA("/dev/null", GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFileA(temp.dir().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileAttributesA(temp.dir().c_str()), DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(replaceWith(fifo, "new"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
}

}  // namespace
