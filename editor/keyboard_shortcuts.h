// Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z, Ctrl+C, Ctrl+X and Ctrl+V. The keys are the
// resource script's accelerator table; the main dialog runs in DialogBox's
// own modal loop, which has no place for TranslateAccelerator, so a
// WH_MSGFILTER hook translates them there, before a focused edit box can
// take Ctrl+Z as its own undo.
#ifndef KELVANE_EDITOR_KEYBOARD_SHORTCUTS_H
#define KELVANE_EDITOR_KEYBOARD_SHORTCUTS_H

#include <windows.h>

void installShortcuts(HWND dialog);
void removeShortcuts();

// The command of an accelerator id; false for any other id.
bool isShortcutCommand(int id);
BOOL shortcutCommand(HWND dialog, int id);

#endif
