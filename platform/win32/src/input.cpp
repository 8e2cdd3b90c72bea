// Mouse and keyboard messages as USER32 delivers them, and the mouse capture.
#include "input.h"

namespace win32 {
namespace {

Window*& capture() {
    static Window* holder = nullptr;
    return holder;
}

Window* topLevelOf(Window* window) {
    while (window && window->parent) window = window->parent;
    return window;
}

// Client coordinates of one window in another's client area (both top level).
POINT translate(const Window* from, const Window* to, int x, int y) {
    int fromSide, fromTop, toSide, toTop;
    frameInsets(from, &fromSide, &fromTop);
    frameInsets(to, &toSide, &toTop);
    int screenX = from->rect.left + fromSide + x, screenY = from->rect.top + fromTop + y;
    return POINT{screenX - to->rect.left - toSide, screenY - to->rect.top - toTop};
}

LPARAM pointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                      static_cast<WORD>(static_cast<short>(y)));
}

// The window a mouse message goes to, with the point in its client area.
Window* mouseTarget(Window* under, int* x, int* y) {
    Window* holder = captureWindow();
    if (!holder || holder == under || !under) return holder ? holder : under;
    POINT p = translate(under, holder, *x, *y);
    *x = p.x;
    *y = p.y;
    return holder;
}

}  // namespace

Window* captureWindow() {
    Window* holder = capture();
    return holder && holder->alive ? holder : nullptr;
}

void mouseButton(Window* under, UINT message, int x, int y, WPARAM keys) {
    bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;
    if (press && under && under->alive && under->enabled) {
        Window* focus = focusWindow();
        if (topLevelOf(focus) != topLevelOf(under)) setFocus(under);
    }
    Window* target = mouseTarget(under, &x, &y);
    if (target && target->alive && target->enabled)
        sendMessage(target, message, keys, pointParam(x, y));
}

void mouseMove(Window* under, int x, int y, WPARAM keys) {
    Window* target = mouseTarget(under, &x, &y);
    if (target && target->alive) sendMessage(target, WM_MOUSEMOVE, keys, pointParam(x, y));
}

void mouseWheel(Window* under, int x, int y, int delta, WPARAM keys) {
    if (!under || !under->alive || !under->enabled) return;
    int side, top;
    frameInsets(under, &side, &top);
    WPARAM wParam = MAKEWPARAM(static_cast<WORD>(keys), static_cast<WORD>(static_cast<short>(delta)));
    sendMessage(under, WM_MOUSEWHEEL, wParam,
                pointParam(under->rect.left + side + x, under->rect.top + top + y));
}

// lParam as Windows builds it: repeat count 1, bit 30 the previous state,
// bit 31 set on release.
bool keyMessage(UINT message, UINT virtualKey, bool repeated) {
    Window* focus = focusWindow();
    if (!focus || !focus->enabled) return false;
    DWORD flags = 1;
    if (message == WM_KEYUP) flags |= 0xC0000000u;
    else if (repeated) flags |= 0x40000000u;
    sendMessage(focus, message, virtualKey, static_cast<LPARAM>(flags));
    return true;
}

}  // namespace win32

using win32::Window;

HWND WINAPI SetCapture(HWND handle) {
    Window* window = win32::windowFromHandle(handle);
    Window* old = win32::captureWindow();
    win32::capture() = window;
    if (old && old != window)
        win32::sendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(handle));
    return old ? old->handle : nullptr;
}

BOOL WINAPI ReleaseCapture(void) {
    Window* old = win32::captureWindow();
    win32::capture() = nullptr;
    if (old) win32::sendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) {
    Window* holder = win32::captureWindow();
    return holder ? holder->handle : nullptr;
}

HWND WINAPI GetFocus(void) {
    Window* focus = win32::focusWindow();
    return focus ? focus->handle : nullptr;
}

BOOL WINAPI GetClientRect(HWND handle, LPRECT rect) {
    Window* window = win32::windowFromHandle(handle);
    if (!window || !rect) return FALSE;
    int width, height;
    win32::clientSize(window, &width, &height);
    *rect = RECT{0, 0, width, height};
    return TRUE;
}
