// Shown, not hidden, so that each Present really reaches the screen as the
// Preview's does.
#include "bench_window.h"

namespace {

const char kClassName[] = "KelvaneBenchWindow";

bool registerClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND createBenchWindow(int clientWidth, int clientHeight) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registerClass(instance)) return nullptr;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION;
    RECT outer = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&outer, style, FALSE);
    HWND window = CreateWindowA(kClassName, "bench_frame", style, 0, 0, outer.right - outer.left,
                                outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

void destroyBenchWindow(HWND window) {
    DestroyWindow(window);
}
