// The main dialog of the track editor: start-up with the Preview and the
// renderer, the command table, and closing.
#ifndef KELVANE_EDITOR_MAIN_DIALOG_H
#define KELVANE_EDITOR_MAIN_DIALOG_H

#include <windows.h>

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
