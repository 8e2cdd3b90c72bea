// The keyboard's private view: which keys are down (what GetKeyState would
// answer, read by the accelerator translation) and the path a key message
// takes through a dialog's modal loop: the message-filter hooks first, then
// the dialog keys, then the focused control.
#ifndef KELVANE_WIN32_KEYBOARD_H
#define KELVANE_WIN32_KEYBOARD_H

#include "window.h"

namespace win32 {

bool keyIsDown(int virtualKey);
void setKeyDown(int virtualKey, bool down);

// The WH_MSGFILTER hooks in the order Windows calls them (last installed
// first); true when one of them took the message.
bool callMessageFilter(MSG* message, int code);

// A key message as a dialog's modal loop handles it: the hooks see it with
// MSGF_DIALOGBOX; if none takes it, WM_KEYDOWN of Enter, Escape or Tab
// works the dialog keys of `dialog`, a character key without Ctrl or Alt
// types into the focused edit box, and a window outside the dialog (the
// Preview) gets the message itself. True when something took it.
bool dispatchDialogKey(Window* dialog, Window* target, UINT message, WPARAM virtualKey);

// The hooks alone, for a back end whose widgets handle what is left.
bool filterDialogKey(Window* target, UINT message, WPARAM virtualKey);

}  // namespace win32

#endif
