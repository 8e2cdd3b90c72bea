// The headless driver's mouse and keyboard: the scripted user pointing at,
// dragging over, scrolling and typing into the window a Direct3D device
// presents into, through the same core calls the fltk back end makes, and
// the clock that held keys move.
#include <string>

#include "headless_input.h"
#include "input.h"
#include "platform/headless.h"

namespace {

struct PointerState {
    WPARAM buttons = 0;  // MK_LBUTTON / MK_RBUTTON held by the driver
    DWORD clock = 10000;
};

PointerState& pointer() {
    static PointerState state;
    return state;
}

// The last top-level window opened that a device presents into.
win32::Window* drawingWindow() {
    win32::Window* found = nullptr;
    for (win32::Window* window : win32::topLevelWindows())
        if (window->frameSource) found = window;
    return found;
}

std::string finish(std::string reason) {
    win32::deliverPendingPaints();
    return reason;
}

// The window, or why the point cannot be reached: outside the client area
// only a window holding the capture gets the mouse.
std::string pointTarget(int x, int y, win32::Window** window) {
    *window = drawingWindow();
    if (!*window) return "no window shows a Direct3D picture";
    int width, height;
    win32::clientSize(*window, &width, &height);
    bool inside = x >= 0 && y >= 0 && x < width && y < height;
    if (!inside && win32::captureWindow() != *window)
        return "point " + std::to_string(x) + " " + std::to_string(y) + " lies outside the " +
               std::to_string(width) + " x " + std::to_string(height) + " client area";
    return "";
}

WPARAM buttonFlag(platform::headless::MouseButton button) {
    return button == platform::headless::MouseButton::Left ? MK_LBUTTON : MK_RBUTTON;
}

}  // namespace

namespace platform {
namespace headless {

std::string mouseDown(int x, int y, MouseButton button, WPARAM keys) {
    win32::Window* window = nullptr;
    std::string reason = pointTarget(x, y, &window);
    if (!reason.empty()) return reason;
    pointer().buttons |= buttonFlag(button);
    UINT message = button == MouseButton::Left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
    win32::mouseButton(window, message, x, y, keys | pointer().buttons);
    return finish("");
}

std::string mouseMove(int x, int y, WPARAM keys) {
    win32::Window* window = nullptr;
    std::string reason = pointTarget(x, y, &window);
    if (!reason.empty()) return reason;
    win32::mouseMove(window, x, y, keys | pointer().buttons);
    return finish("");
}

std::string mouseUp(int x, int y, MouseButton button, WPARAM keys) {
    win32::Window* window = nullptr;
    std::string reason = pointTarget(x, y, &window);
    if (!reason.empty()) return reason;
    pointer().buttons &= ~buttonFlag(button);
    UINT message = button == MouseButton::Left ? WM_LBUTTONUP : WM_RBUTTONUP;
    win32::mouseButton(window, message, x, y, keys | pointer().buttons);
    return finish("");
}

std::string wheel(int x, int y, int delta) {
    win32::Window* window = nullptr;
    std::string reason = pointTarget(x, y, &window);
    if (!reason.empty()) return reason;
    win32::mouseWheel(window, x, y, delta, pointer().buttons);
    return finish("");
}

std::string keyDown(UINT virtualKey, int repeats) {
    win32::Window* window = drawingWindow();
    if (!window) return "no window shows a Direct3D picture";
    if (repeats < 0) return "a key cannot repeat a negative number of times";
    if (win32::focusWindow() != window) win32::setFocus(window);
    win32::keyMessage(WM_KEYDOWN, virtualKey, false);
    win32::deliverPendingPaints();
    for (int i = 0; i < repeats; ++i) {
        pointer().clock += kKeyRepeatInterval;
        win32::keyMessage(WM_KEYDOWN, virtualKey, true);
        win32::deliverPendingPaints();
    }
    return "";
}

std::string keyUp(UINT virtualKey) {
    if (!drawingWindow()) return "no window shows a Direct3D picture";
    win32::keyMessage(WM_KEYUP, virtualKey, false);
    return finish("");
}

}  // namespace headless
}  // namespace platform

namespace win32 {

DWORD headlessTickCount() {
    return pointer().clock;
}

void releaseHeadlessPointer() {
    pointer().buttons = 0;
}

}  // namespace win32
