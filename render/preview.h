// The Preview window and the frame every paint draws from the document.
#ifndef KELVANE_RENDER_PREVIEW_H
#define KELVANE_RENDER_PREVIEW_H

#include <windows.h>
#include <d3dx9.h>

#include "frame.h"

// One frame: clear, and with a track the view and the passes, then present.
void drawFrame(HWND preview);

INT_PTR CALLBACK PreviewDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
