// The window-surface contract over the window core: client sizes, bare
// windows for device tests, the back end's on-screen surface, and each
// window's source of presented frames.
#include "platform/window_surface.h"

#include "backend.h"
#include "window.h"

namespace platform {

bool windowClientSize(HWND handle, int* width, int* height) {
    win32::Window* window = win32::windowFromHandle(handle);
    if (!window) return false;
    win32::clientSize(window, width, height);
    return true;
}

static LRESULT bareWindowProc(win32::Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    return win32::defaultWindowProc(window, message, wParam, lParam);
}

HWND createBareWindow(int clientWidth, int clientHeight) {
    win32::Window* window = win32::newWindow(win32::WindowKind::Bare, bareWindowProc);
    // No frame: the outer rectangle is the client area.
    window->style = WS_POPUP | WS_VISIBLE;
    window->rect =
        RECT{0, 0, clientWidth > 0 ? clientWidth : 0, clientHeight > 0 ? clientHeight : 0};
    win32::backend().windowCreated(window);
    return window->handle;
}

void destroyBareWindow(HWND handle) {
    win32::Window* window = win32::windowFromHandle(handle);
    if (window && window->kind == win32::WindowKind::Bare) win32::destroyWindow(window);
}

WindowSurface* windowSurfaceFor(HWND handle) {
    win32::Window* window = win32::windowFromHandle(handle);
    return window ? win32::backend().surfaceFor(window) : nullptr;
}

void setFrameSource(HWND handle, std::function<bool(Frame*)> source) {
    win32::Window* window = win32::windowFromHandle(handle);
    if (window) window->frameSource = std::move(source);
}

bool readPresentedFrame(HWND handle, Frame* frame) {
    win32::Window* window = win32::windowFromHandle(handle);
    return window && window->frameSource && window->frameSource(frame);
}

}  // namespace platform
