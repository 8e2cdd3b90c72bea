#include "file_choice.h"

#include <cstdio>

#include "message_caption.h"

FileChoice trackFiles = {"Track files  (*.trk)\0*.trk\0All files (*.*)\0*.*\0", "trk", {0}};

namespace {

void copyPath(char* to, const char* from) {
    std::snprintf(to, kEditorPathSize, "%s", from);
}

}  // namespace

bool chooseFile(HWND dialog, FileChoice& choice, bool forSaving) {
    copyPath(filePath, choice.lastPath);
    fileDialog.lpstrFilter = choice.filter;
    fileDialog.nFilterIndex = 1;
    fileDialog.lpstrDefExt = choice.defaultExtension;
    fileDialog.lpstrInitialDir = trackDirectory[0] ? trackDirectory : nullptr;
    fileDialog.Flags = forSaving ? OFN_OVERWRITEPROMPT : 0;
    BOOL chosen = forSaving ? GetSaveFileNameA(&fileDialog) : GetOpenFileNameA(&fileDialog);
    fileDialog.Flags = 0;
    if (chosen) return true;
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
        MessageBoxA(dialog, "The chosen path is too long: at most 259 characters fit.",
                    kMessageCaption, MB_OK | MB_ICONERROR);
    return false;
}

void rememberChoice(FileChoice& choice) {
    copyPath(choice.lastPath, filePath);
}
