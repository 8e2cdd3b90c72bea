// MessageBoxA: the button sets and default buttons of the six standard
// types; the back end shows the box and returns the pressed button's id.
// MB_HELP, MB_USERICON and the task/system modality flags are not provided.
#include <stdio.h>

#include "backend.h"
#include "common_dialogs.h"

namespace win32 {

std::vector<int> messageBoxButtons(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OK:
            return {IDOK};
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        case MB_RETRYCANCEL:
            return {IDRETRY, IDCANCEL};
        default:
            return {};
    }
}

int messageBoxDefaultButton(UINT type) {
    std::vector<int> buttons = messageBoxButtons(type);
    size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttons.size() ? buttons[index] : buttons.front();
}

const char* buttonLabel(int id) {
    static const char* labels[] = {"", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
    return id >= 1 && id <= 7 ? labels[id] : "";
}

}  // namespace win32

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    win32::Window* ownerWindow = nullptr;
    if (owner && !(ownerWindow = win32::windowFromHandle(owner))) return 0;
    const UINT supported = MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK;
    if (win32::messageBoxButtons(type).empty() || (type & ~supported)) {
        fprintf(stderr, "MessageBoxA: type 0x%x is not provided\n", type);
        SetLastError(ERROR_INVALID_MSGBOX_STYLE);
        return 0;
    }
    return win32::backend().messageBox(ownerWindow, text ? text : "", caption ? caption : "Error",
                                       type);
}
