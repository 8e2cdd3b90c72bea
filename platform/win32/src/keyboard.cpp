// Key state and key messages. There is no thread message queue: a back end
// hands each key press to dispatchDialogKey (headless) or filterDialogKey
// (fltk) at the point where a modal loop would have taken it from the queue,
// which is where Windows calls the WH_MSGFILTER hooks. Implements the down
// state of keys and the dialog keys; does not implement WM_CHAR for keys
// other than letters, digits and the blank, nor keyboard layouts.
#include "keyboard.h"

#include <ctype.h>

#include <bitset>

#include "controls.h"
#include "dialog.h"
#include "input.h"

namespace win32 {
namespace {

std::bitset<256>& keysDown() {
    static std::bitset<256> down;
    return down;
}

// The lParam of a first press or a release: repeat count 1; a release
// also has the previous-state and transition bits, Alt sets the context bit.
LPARAM keyData(UINT message) {
    LPARAM data = 1;
    if (keyIsDown(VK_MENU)) data |= LPARAM(1) << 29;
    if (message == WM_KEYUP || message == WM_SYSKEYUP) data |= LPARAM(3) << 30;
    return data;
}

// The character TranslateMessage would make of a key, or 0.
char typedChar(WPARAM virtualKey) {
    if (keyIsDown(VK_CONTROL) || keyIsDown(VK_MENU)) return 0;
    if (virtualKey >= '0' && virtualKey <= '9') return static_cast<char>(virtualKey);
    if (virtualKey == ' ') return ' ';
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<char>(keyIsDown(VK_SHIFT) ? virtualKey : tolower(int(virtualKey)));
    return 0;
}

}  // namespace

bool keyIsDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && keysDown().test(size_t(virtualKey));
}

void setKeyDown(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < 256) keysDown().set(size_t(virtualKey), down);
}

bool filterDialogKey(Window* target, UINT message, WPARAM virtualKey) {
    MSG msg = {};
    msg.hwnd = target ? target->handle : nullptr;
    msg.message = message;
    msg.wParam = virtualKey;
    msg.lParam = keyData(message);
    return callMessageFilter(&msg, MSGF_DIALOGBOX);
}

bool dispatchDialogKey(Window* dialog, Window* target, UINT message, WPARAM virtualKey) {
    if (filterDialogKey(target, message, virtualKey)) return true;
    // A window of its own (the Preview) gets the key as a plain message.
    if (target && target != dialog && !target->parent && target->alive)
        return keyMessage(message, static_cast<UINT>(virtualKey), false);
    if (message != WM_KEYDOWN || !dialog) return false;
    switch (virtualKey) {
        case VK_RETURN:
            pressDialogKey(dialog, DialogKey::Enter);
            return true;
        case VK_ESCAPE:
            pressDialogKey(dialog, DialogKey::Escape);
            return true;
        case VK_TAB:
            pressDialogKey(dialog, keyIsDown(VK_SHIFT) ? DialogKey::ShiftTab : DialogKey::Tab);
            return true;
        default:
            break;
    }
    char c = typedChar(virtualKey);
    if (!c || !target || !hasEditField(target) || !target->enabled) return false;
    typeChar(target, c);
    return true;
}

}  // namespace win32
