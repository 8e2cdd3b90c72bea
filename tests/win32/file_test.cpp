#include <windows.h>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "temp_folder.h"

namespace {

class FileApiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp.ok()); }

    std::string path(const char* name) const { return dir + "/" + name; }
    HANDLE open(const std::string& p, DWORD access, DWORD share, DWORD disposition) {
        return CreateFileA(p.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_ARCHIVE,
                           nullptr);
    }
    void put(HANDLE h, const std::string& text) {
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(h, text.data(), DWORD(text.size()), &written, nullptr));
        ASSERT_EQ(written, text.size());
    }

    TempFolder temp;
    const std::string dir = temp.dir();
};

TEST_F(FileApiTest, CreationDispositionsFollowWindows) {
    const std::string p = path("a.bin");
    EXPECT_EQ(open(p, GENERIC_READ, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));

    TempFolder::write(p, "0123456789");
    HANDLE h = open(p, GENERIC_WRITE, 0, OPEN_ALWAYS);  // opens, keeps the tail
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    put(h, "ab");
    CloseHandle(h);
    EXPECT_EQ(TempFolder::read(p), "ab23456789");

    h = open(p, GENERIC_WRITE, 0, CREATE_ALWAYS);  // truncates
    put(h, "x");
    CloseHandle(h);
    EXPECT_EQ(TempFolder::read(p), "x");

    EXPECT_EQ(open(p, GENERIC_WRITE, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));

    h = open(path("fresh.bin"), GENERIC_WRITE, 0, OPEN_ALWAYS);  // creates
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS));
    CloseHandle(h);
}

TEST_F(FileApiTest, MissingFolderIsPathNotFound) {
    EXPECT_EQ(open(path("no/such/x.bin"), GENERIC_WRITE, 0, OPEN_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(FileApiTest, BackslashesSeparateFolders) {
    TempFolder::write(path("b.bin"), "hello");
    std::string windowsPath = dir + "\\b.bin";
    HANDLE h = open(windowsPath, GENERIC_READ, 0, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
}

TEST_F(FileApiTest, NoSharingLocksUntilClosed) {
    const std::string p = path("locked.bin");
    TempFolder::write(p, "data");
    HANDLE first = open(p, GENERIC_WRITE, 0, OPEN_ALWAYS);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    EXPECT_EQ(open(p, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    // A refused CREATE_ALWAYS must not truncate the file in use.
    EXPECT_EQ(open(p, GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(TempFolder::read(p), "data");
    CloseHandle(first);
    HANDLE second = open(p, GENERIC_READ, 0, OPEN_EXISTING);
    EXPECT_NE(second, INVALID_HANDLE_VALUE);
    CloseHandle(second);
}

TEST_F(FileApiTest, SharedReadersCoexistButExcludeWriters) {
    const std::string p = path("shared.bin");
    TempFolder::write(p, "data");
    HANDLE a = open(p, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    HANDLE b = open(p, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_NE(a, INVALID_HANDLE_VALUE);
    EXPECT_NE(b, INVALID_HANDLE_VALUE);
    EXPECT_EQ(open(p, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    CloseHandle(a);
    CloseHandle(b);
}

TEST_F(FileApiTest, ReadStopsAtEndOfFileWithSuccess) {
    const std::string p = path("short.bin");
    TempFolder::write(p, "abc");
    HANDLE h = open(p, GENERIC_READ, 0, OPEN_EXISTING);
    char buffer[8] = {};
    DWORD got = 99;
    EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &got, nullptr));
    EXPECT_EQ(got, 3u);
    EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &got, nullptr));
    EXPECT_EQ(got, 0u);
    LARGE_INTEGER size;
    EXPECT_TRUE(GetFileSizeEx(h, &size));
    EXPECT_EQ(size.QuadPart, 3);
    CloseHandle(h);
}

TEST_F(FileApiTest, AccessIsEnforcedAndBadHandlesRefused) {
    const std::string p = path("ro.bin");
    TempFolder::write(p, "abc");
    HANDLE h = open(p, GENERIC_READ, 0, OPEN_EXISTING);
    DWORD n = 0;
    EXPECT_FALSE(WriteFile(h, "x", 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(ReadFile(INVALID_HANDLE_VALUE, &n, 1, &n, nullptr));
}

TEST_F(FileApiTest, MoveFileExReplacesOnlyWhenAsked) {
    TempFolder::write(path("new.bin"), "new");
    TempFolder::write(path("old.bin"), "old");
    EXPECT_FALSE(MoveFileExA(path("new.bin").c_str(), path("old.bin").c_str(), 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(TempFolder::read(path("old.bin")), "old");
    EXPECT_TRUE(MoveFileExA(path("new.bin").c_str(), path("old.bin").c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(TempFolder::read(path("old.bin")), "new");
    EXPECT_NE(access(path("new.bin").c_str(), F_OK), 0);
}

TEST_F(FileApiTest, OpenFileWithoutDeleteShareCannotBeReplaced) {
    TempFolder::write(path("src.bin"), "src");
    TempFolder::write(path("dst.bin"), "dst");
    HANDLE h = open(path("dst.bin"), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_FALSE(
        MoveFileExA(path("src.bin").c_str(), path("dst.bin").c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    CloseHandle(h);
    EXPECT_EQ(TempFolder::read(path("dst.bin")), "dst");
}

TEST_F(FileApiTest, UnsupportedRequestsFailLoudly) {
    EXPECT_EQ(open(path("x"), GENERIC_READ, 0, 99), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(open(dir, GENERIC_READ, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
}

}  // namespace
