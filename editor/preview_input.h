// The Preview's mouse and keyboard, handled for its dialog procedure:
// left click chooses what is under the cursor, Ctrl/Shift + left drag
// paint cells, moving the mouse outlines the cell under it, right drag,
// the wheel and the keys drive the camera, T switches the top view.
#ifndef KELVANE_EDITOR_PREVIEW_INPUT_H
#define KELVANE_EDITOR_PREVIEW_INPUT_H

#include <windows.h>

// TRUE when the message was one of the Preview's input messages.
BOOL previewInput(HWND preview, UINT message, WPARAM wParam, LPARAM lParam);

#endif
