// The window core's mouse and keyboard: what a back end calls when the user
// presses, moves, turns the wheel or types over a window that has no
// controls of its own (the Preview). The core sends the messages Windows
// sends, with their parameters, honours the mouse capture and gives the
// focus to a window clicked on.
#ifndef KELVANE_WIN32_INPUT_H
#define KELVANE_WIN32_INPUT_H

#include "window.h"

namespace win32 {

// WM_LBUTTONDOWN/UP or WM_RBUTTONDOWN/UP at client point (x, y) of the
// window under the cursor; `keys` holds the MK_ flags as after the event.
// A press focuses the window unless the focus already lies in it.
void mouseButton(Window* under, UINT message, int x, int y, WPARAM keys);
// WM_MOUSEMOVE, to the capturing window when there is one.
void mouseMove(Window* under, int x, int y, WPARAM keys);
// WM_MOUSEWHEEL: the point is sent in screen coordinates, as Windows does.
void mouseWheel(Window* under, int x, int y, int delta, WPARAM keys);
// WM_KEYDOWN (repeated: the key was already down) or WM_KEYUP, to the
// window with the focus; false when no window has it.
bool keyMessage(UINT message, UINT virtualKey, bool repeated);

Window* captureWindow();

}  // namespace win32

#endif
