// GetOpenFileNameA and GetSaveFileNameA: the filter pairs, the default
// extension, and the full path and file title written within their buffers.
// The back end asks the user. No OFN_* flag is provided (the programs pass 0):
// a dialog asked for any is refused rather than shown without it.
#include <commdlg.h>
#include <stdio.h>
#include <string.h>

#include "backend.h"

namespace win32 {
namespace {

// The structure size a 32-bit program states for this layout.
const DWORD kWin32StructSize = 76;

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
    if (dialog->Flags != 0) {
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
        fprintf(stderr, "file dialog: the chosen path does not fit the caller's %u-byte buffer\n",
                static_cast<unsigned>(dialog->nMaxFile));
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

BOOL runFileDialog(OPENFILENAMEA* dialog, bool save, const char* call) {
    if (!validRequest(dialog, call)) return FALSE;
    Window* owner = nullptr;
    if (dialog->hwndOwner && !(owner = windowFromHandle(dialog->hwndOwner))) return FALSE;
    FileRequest request;
    request.save = save;
    request.title = dialog->lpstrTitle ? dialog->lpstrTitle : (save ? "Save As" : "Open");
    request.filters = parseFilter(dialog->lpstrFilter);
    request.filterIndex = static_cast<int>(dialog->nFilterIndex);
    request.initialPath.assign(dialog->lpstrFile, strnlen(dialog->lpstrFile, dialog->nMaxFile));
    std::string path;
    if (!backend().chooseFile(owner, request, &path)) return FALSE;
    addDefaultExtension(&path, dialog->lpstrDefExt);
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
