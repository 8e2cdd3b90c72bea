// GetOpenFileNameA and GetSaveFileNameA: the filter pairs, the default
// extension, the initial folder, and the full path and file title written
// within their buffers; CommDlgExtendedError for a path that does not fit.
// The back end asks the user. Of the OFN_* flags only OFN_OVERWRITEPROMPT is
// provided: a Save onto an existing file asks "NAME already exists." / "Do
// you want to replace it?" (Yes/No) as a message box, so every back end and
// the scripted user answer it alike; No shows the dialog again. A dialog
// asked for any other flag is refused rather than shown without it.
#include <commdlg.h>
#include <stdio.h>
#include <string.h>

#include "backend.h"

namespace win32 {
namespace {

// The structure size a 32-bit program states for this layout.
const DWORD kWin32StructSize = 76;
const DWORD kProvidedFlags = OFN_OVERWRITEPROMPT;

DWORD lastDialogError = 0;

// "description\0pattern\0...\0\0"; a description without its pattern ends the list.
std::vector<std::pair<std::string, std::string>> parseFilter(LPCSTR filter) {
    std::vector<std::pair<std::string, std::string>> pairs;
    while (filter && *filter) {
        std::string description = filter;
        filter += description.size() + 1;
        if (!*filter) break;
        std::string pattern = filter;
        filter += pattern.size() + 1;
        pairs.emplace_back(description, pattern);
    }
    return pairs;
}

bool validRequest(const OPENFILENAMEA* dialog, const char* call) {
    if (!dialog ||
        (dialog->lStructSize != sizeof(OPENFILENAMEA) && dialog->lStructSize != kWin32StructSize)) {
        fprintf(stderr, "%s: structure size is wrong\n", call);
        return false;
    }
    if (dialog->Flags & ~kProvidedFlags) {
        fprintf(stderr, "%s: flags 0x%x are not provided\n", call,
                static_cast<unsigned>(dialog->Flags));
        return false;
    }
    if (!dialog->lpstrFile || dialog->nMaxFile == 0) {
        fprintf(stderr, "%s: no file buffer\n", call);
        return false;
    }
    return true;
}

size_t nameOffset(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

// As on Windows, a name typed without an extension gets the default one.
void addDefaultExtension(std::string* path, LPCSTR defaultExtension) {
    if (!defaultExtension || !*defaultExtension) return;
    if (path->find('.', nameOffset(*path)) != std::string::npos) return;
    *path += '.';
    *path += defaultExtension;
}

BOOL storeAnswer(OPENFILENAMEA* dialog, const std::string& path) {
    if (path.size() + 1 > dialog->nMaxFile) {
        // Too small: Windows puts the needed size in the first two bytes.
        if (dialog->nMaxFile >= 2) {
            WORD needed = static_cast<WORD>(path.size() + 1 > 0xFFFF ? 0xFFFF : path.size() + 1);
            memcpy(dialog->lpstrFile, &needed, 2);
        }
        lastDialogError = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    memcpy(dialog->lpstrFile, path.c_str(), path.size() + 1);
    size_t offset = nameOffset(path);
    std::string title = path.substr(offset);
    if (dialog->lpstrFileTitle && dialog->nMaxFileTitle > 0) {
        size_t n =
            title.size() < dialog->nMaxFileTitle - 1 ? title.size() : dialog->nMaxFileTitle - 1;
        memcpy(dialog->lpstrFileTitle, title.data(), n);
        dialog->lpstrFileTitle[n] = '\0';
    }
    size_t dot = title.find_last_of('.');
    dialog->nFileOffset = static_cast<WORD>(offset);
    dialog->nFileExtension = static_cast<WORD>(dot == std::string::npos ? 0 : offset + dot + 1);
    return TRUE;
}

// The file buffer's name, in the initial folder when it names none itself.
std::string initialPath(const OPENFILENAMEA* dialog) {
    std::string path(dialog->lpstrFile, strnlen(dialog->lpstrFile, dialog->nMaxFile));
    bool folderGiven = dialog->lpstrInitialDir && *dialog->lpstrInitialDir;
    if (folderGiven && !path.empty() && nameOffset(path) == 0)
        path = std::string(dialog->lpstrInitialDir) + "/" + path;
    return path;
}

// Asked before a Save replaces a file, in Windows' words; true to go ahead.
bool confirmReplace(HWND owner, const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    std::string text = path.substr(nameOffset(path)) + " already exists.\nDo you want to replace it?";
    return MessageBoxA(owner, text.c_str(), "Confirm Save As", MB_YESNO | MB_ICONWARNING) == IDYES;
}

BOOL runFileDialog(OPENFILENAMEA* dialog, bool save, const char* call) {
    lastDialogError = 0;
    if (!validRequest(dialog, call)) return FALSE;
    Window* owner = nullptr;
    if (dialog->hwndOwner && !(owner = windowFromHandle(dialog->hwndOwner))) return FALSE;
    FileRequest request;
    request.save = save;
    request.title = dialog->lpstrTitle ? dialog->lpstrTitle : (save ? "Save As" : "Open");
    request.filters = parseFilter(dialog->lpstrFilter);
    request.filterIndex = static_cast<int>(dialog->nFilterIndex);
    request.initialPath = initialPath(dialog);
    if (dialog->lpstrInitialDir) request.initialFolder = dialog->lpstrInitialDir;
    std::string path;
    for (;;) {
        if (!backend().chooseFile(owner, request, &path)) return FALSE;
        addDefaultExtension(&path, dialog->lpstrDefExt);
        bool ask = save && (dialog->Flags & OFN_OVERWRITEPROMPT);
        if (!ask || confirmReplace(dialog->hwndOwner, path)) break;
        request.initialPath = path;
    }
    return storeAnswer(dialog, path);
}

}  // namespace
}  // namespace win32

BOOL WINAPI GetOpenFileNameA(LPOPENFILENAMEA dialog) {
    return win32::runFileDialog(dialog, false, "GetOpenFileNameA");
}

BOOL WINAPI GetSaveFileNameA(LPOPENFILENAMEA dialog) {
    return win32::runFileDialog(dialog, true, "GetSaveFileNameA");
}

DWORD WINAPI CommDlgExtendedError(void) {
    return win32::lastDialogError;
}
