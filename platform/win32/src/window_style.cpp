// A window's style word read and changed after creation: how a program turns
// a fixed dialog frame into a sizing one. Only GWL_STYLE is kept; the other
// indices fail with ERROR_INVALID_INDEX rather than return nothing.
#include <windows.h>

#include "backend.h"
#include "window.h"

using win32::Window;
using win32::windowFromHandle;

LONG WINAPI GetWindowLongA(HWND handle, int index) {
    Window* window = windowFromHandle(handle);
    if (!window) return 0;
    if (index != GWL_STYLE) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return static_cast<LONG>(window->style);
}

// The frame follows the new style (a sizing border, the maximise box) at once.
LONG WINAPI SetWindowLongA(HWND handle, int index, LONG newLong) {
    Window* window = windowFromHandle(handle);
    if (!window) return 0;
    if (index != GWL_STYLE) {
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    const LONG old = static_cast<LONG>(window->style);
    window->style = static_cast<DWORD>(newLong);
    win32::backend().windowChanged(window);
    return old;
}
