// First cut of the window-surface contract, before the window core exists:
// only bare windows are known, none has an on-screen surface, and frames are
// kept per window. The window core takes these over.
#include "platform/window_surface.h"

#include <map>

namespace platform {
namespace {

struct BareWindow {
    int width;
    int height;
    std::function<bool(Frame*)> frameSource;
};

std::map<HWND, BareWindow>& bareWindows() {
    static std::map<HWND, BareWindow> windows;
    return windows;
}

}  // namespace

HWND createBareWindow(int clientWidth, int clientHeight) {
    static uintptr_t next = 0x10000;
    HWND window = reinterpret_cast<HWND>(next += 16);
    bareWindows()[window] = BareWindow{clientWidth, clientHeight, {}};
    return window;
}

void destroyBareWindow(HWND window) { bareWindows().erase(window); }

bool windowClientSize(HWND window, int* width, int* height) {
    auto it = bareWindows().find(window);
    if (it == bareWindows().end()) return false;
    *width = it->second.width;
    *height = it->second.height;
    return true;
}

WindowSurface* windowSurfaceFor(HWND) { return nullptr; }

void setFrameSource(HWND window, std::function<bool(Frame*)> source) {
    auto it = bareWindows().find(window);
    if (it != bareWindows().end()) it->second.frameSource = std::move(source);
}

bool readPresentedFrame(HWND window, Frame* frame) {
    auto it = bareWindows().find(window);
    return it != bareWindows().end() && it->second.frameSource && it->second.frameSource(frame);
}

}  // namespace platform
