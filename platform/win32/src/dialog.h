// The dialog manager's private view: dialogs from templates, the modal
// loops' bookkeeping, and the dialog keys.
#ifndef KELVANE_WIN32_DIALOG_H
#define KELVANE_WIN32_DIALOG_H

#include "window.h"

namespace win32 {

// The innermost modal dialog still running, or else the last modeless
// dialog opened and not ended: where the user's input goes.
Window* activeDialog();
// Ends every open dialog with result 0, as when the scripted user runs out.
void endAllDialogs();

enum class DialogKey { Enter, Escape, Tab, ShiftTab };
void pressDialogKey(Window* dialog, DialogKey key);
// The close box: WM_SYSCOMMAND with SC_CLOSE.
void pressCloseBox(Window* window);

Window* findControl(const Window* dialog, int id);
// Dialog units to pixels with the dialog's base units.
int dialogUnitsToPixelsX(const Window* dialog, int units);
int dialogUnitsToPixelsY(const Window* dialog, int units);

}  // namespace win32

#endif
