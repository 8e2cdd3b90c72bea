// The Open and Save dialogs: answers, default extension, buffers.
#include <commdlg.h>
#include <string.h>

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
