// The Open and Save dialogs: answers, default extension, buffers.
#include <commdlg.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "recording_dialog.h"

namespace {

const char kFilter[] = "Track files  (*.trk)\0*.trk\0All files (*.*)\0*.*\0";

struct FileDialog {
    char path[260] = "previous.trk";
    char title[260] = "previous.trk";
    OPENFILENAMEA record;
    FileDialog() {
        memset(&record, 0, sizeof record);
        record.lStructSize = 76;  // what a 32-bit program states
        record.lpstrFilter = kFilter;
        record.lpstrFile = path;
        record.nMaxFile = sizeof path;
        record.lpstrFileTitle = title;
        record.nMaxFileTitle = sizeof title;
        record.lpstrDefExt = "bmp";
    }
};

}  // namespace

TEST_F(LayerTest, FileDialogsFillPathAndTitleWithTheDefaultExtension) {
    FileDialog open;
    platform::headless::answerFile("/tmp/tracks/oval.trk");
    ASSERT_TRUE(GetOpenFileNameA(&open.record));
    EXPECT_STREQ(open.path, "/tmp/tracks/oval.trk");
    EXPECT_STREQ(open.title, "oval.trk");
    EXPECT_EQ(open.record.nFileOffset, 12);
    EXPECT_EQ(open.record.nFileExtension, 17);
    // A name without an extension gets the default one, as on Windows.
    FileDialog save;
    platform::headless::answerFile("/tmp/tracks/oval");
    ASSERT_TRUE(GetSaveFileNameA(&save.record));
    EXPECT_STREQ(save.path, "/tmp/tracks/oval.bmp");
}

TEST_F(LayerTest, CancelledOrUnansweredFileDialogsLeaveTheBuffersAlone) {
    FileDialog files;
    platform::headless::answerFileCancel();
    EXPECT_FALSE(GetOpenFileNameA(&files.record));
    EXPECT_FALSE(GetSaveFileNameA(&files.record));  // nothing waiting: cancelled too
    EXPECT_STREQ(files.path, "previous.trk");
    EXPECT_STREQ(files.title, "previous.trk");
}

TEST_F(LayerTest, FileDialogAnswersStayWithinTheCallersBuffers) {
    FileDialog files;
    char shortPath[12];
    memset(shortPath, '#', sizeof shortPath);
    files.record.lpstrFile = shortPath;
    files.record.nMaxFile = 8;
    platform::headless::answerFile("/tmp/a-long-name.trk");
    EXPECT_FALSE(GetOpenFileNameA(&files.record));
    EXPECT_EQ(shortPath[8], '#');
    // The title is cut to its buffer.
    char title[4];
    files.record.lpstrFile = files.path;
    files.record.nMaxFile = sizeof files.path;
    files.record.lpstrFileTitle = title;
    files.record.nMaxFileTitle = sizeof title;
    platform::headless::answerFile("/tmp/abcdef.trk");
    ASSERT_TRUE(GetOpenFileNameA(&files.record));
    EXPECT_STREQ(title, "abc");
    // Flags the layer does not provide are refused, not ignored.
    files.record.Flags = 0x8;  // OFN_NOCHANGEDIR
    platform::headless::answerFile("/tmp/x.trk");
    EXPECT_FALSE(GetOpenFileNameA(&files.record));
}

// OFN_OVERWRITEPROMPT: an existing file is named in Windows' question; No
// shows the dialog again, Yes takes the file.
TEST_F(LayerTest, SaveAsksBeforeReplacingAndNoAsksForAnotherName) {
    char existing[] = "/tmp/kelvane-overwrite-XXXXXX.trk";
    int fd = mkstemps(existing, 4);
    ASSERT_GE(fd, 0);
    close(fd);
    FileDialog save;
    save.record.Flags = OFN_OVERWRITEPROMPT;
    platform::headless::answerFile(existing);
    platform::headless::answerBox(IDNO);
    platform::headless::answerFile(existing);
    platform::headless::answerBox(IDYES);
    ASSERT_TRUE(GetSaveFileNameA(&save.record));
    EXPECT_STREQ(save.path, existing);
    // Without the flag, or for a name that does not exist, nothing is asked.
    platform::headless::answerFile(existing);
    platform::headless::answerBox(IDNO);
    save.record.Flags = 0;
    ASSERT_TRUE(GetSaveFileNameA(&save.record));
    unlink(existing);
    // The unused IDNO is still waiting, and the name that fits keeps it so.
    save.record.Flags = OFN_OVERWRITEPROMPT;
    platform::headless::answerFile(existing);
    ASSERT_TRUE(GetSaveFileNameA(&save.record));
    // Enter takes the proposed name; an answer too long for the buffer is
    // reported as such, not as a cancel.
    platform::headless::answerFileAccept();
    ASSERT_TRUE(GetSaveFileNameA(&save.record));
    EXPECT_STREQ(save.path, existing);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    platform::headless::answerFile("/tmp/" + std::string(300, 'n'));
    EXPECT_FALSE(GetSaveFileNameA(&save.record));
    EXPECT_EQ(CommDlgExtendedError(), DWORD(FNERR_BUFFERTOOSMALL));
}
