#include "keyboard_shortcuts.h"

#include "cell_clipboard.h"
#include "edit_history.h"
#include "editor_state.h"
#include "kelvane_ids.h"

namespace {

HACCEL accelerators;
HHOOK messageFilter;
HWND shortcutWindow;

// Sees every message of the dialog loops on this thread. While the New
// dialog or another modal window of the editor is up, the main dialog is
// disabled and the keys belong to that window.
LRESULT CALLBACK dialogMessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && lParam && IsWindowEnabled(shortcutWindow) &&
        TranslateAcceleratorA(shortcutWindow, accelerators, reinterpret_cast<MSG*>(lParam)))
        return TRUE;
    return CallNextHookEx(messageFilter, code, wParam, lParam);
}

}  // namespace

void installShortcuts(HWND dialog) {
    removeShortcuts();  // one hook, for the newest main dialog
    shortcutWindow = dialog;
    accelerators = LoadAcceleratorsA(instanceHandle, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    if (accelerators)
        messageFilter =
            SetWindowsHookExA(WH_MSGFILTER, dialogMessageFilter, NULL, GetCurrentThreadId());
}

void removeShortcuts() {
    if (messageFilter) UnhookWindowsHookEx(messageFilter);
    messageFilter = NULL;
}

bool isShortcutCommand(int id) {
    return id >= IDM_UNDO && id <= IDM_PASTE;
}

BOOL shortcutCommand(HWND dialog, int id) {
    switch (id) {
        case IDM_UNDO:
            return undoCommand(dialog);
        case IDM_REDO:
            return redoCommand(dialog);
        case IDM_COPY:
            return copyCellsCommand(dialog);
        case IDM_CUT:
            return cutCellsCommand(dialog);
        case IDM_PASTE:
            return pasteCellsCommand(dialog);
        default:
            return FALSE;
    }
}
