// Window objects behind handles, synchronous message sending, focus,
// invalidation and painting, and the USER32 calls that act on any window.
#include "window.h"

#include <string.h>

#include <map>

#include "backend.h"

namespace win32 {
namespace {

struct WindowTable {
    std::vector<std::unique_ptr<Window>> all;  // live and destroyed, in creation order
    std::map<HWND, Window*> byHandle;
    uintptr_t nextHandle = 0x10010;
    Window* focus = nullptr;
};

WindowTable& table() {
    static WindowTable windows;
    return windows;
}

}  // namespace

Window* windowFromHandle(HWND handle) {
    auto it = table().byHandle.find(handle);
    if (it == table().byHandle.end()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return it->second;
}

Window* newWindow(WindowKind kind, WindowProc proc) {
    auto window = std::make_unique<Window>();
    window->kind = kind;
    window->proc = proc;
    window->handle = reinterpret_cast<HWND>(table().nextHandle);
    table().nextHandle += 0x10;
    Window* raw = window.get();
    table().byHandle[raw->handle] = raw;
    table().all.push_back(std::move(window));
    return raw;
}

// Controls first, then windows this one owns, then the window itself.
void destroyWindow(Window* window) {
    if (!window->alive) return;
    for (Window* child : window->children) destroyWindow(child);
    for (auto& other : table().all)
        if (other->alive && other->owner == window) destroyWindow(other.get());
    if (table().focus == window) table().focus = nullptr;
    sendMessage(window, WM_DESTROY, 0, 0);
    window->alive = false;
    table().byHandle.erase(window->handle);
    if (!window->parent) backend().windowDestroyed(window);
}

std::vector<Window*> topLevelWindows() {
    std::vector<Window*> result;
    for (auto& window : table().all)
        if (window->alive && !window->parent) result.push_back(window.get());
    return result;
}

LRESULT sendMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window || !window->alive) return 0;
    return window->proc(window, message, wParam, lParam);
}

void notifyParent(Window* control, int code) {
    if (!control->parent || !control->parent->alive) return;
    sendMessage(control->parent, WM_COMMAND, MAKEWPARAM(control->id, code),
                reinterpret_cast<LPARAM>(control->handle));
}

// Copies text into a caller's buffer of `size` chars, cutting it to fit.
static LRESULT copyTextOut(const std::string& text, WPARAM size, LPARAM buffer) {
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0) return 0;
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

static LRESULT setIcon(Window* window, WPARAM which, LPARAM icon) {
    HICON* slot = which == ICON_BIG ? &window->bigIcon : &window->smallIcon;
    HICON old = *slot;
    *slot = reinterpret_cast<HICON>(icon);
    backend().windowChanged(window);
    return reinterpret_cast<LRESULT>(old);
}

LRESULT defaultWindowProc(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            window->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            backend().windowChanged(window);
            return TRUE;
        case WM_GETTEXT:
            return copyTextOut(window->text, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(window->text.size());
        case WM_SETICON:
            return setIcon(window, wParam, lParam);
        case WM_GETICON:
            return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? window->bigIcon
                                                                : window->smallIcon);
        case WM_PAINT:
            window->needsPaint = false;
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) sendMessage(window, WM_CLOSE, 0, 0);
            return 0;
        case WM_CLOSE:
            destroyWindow(window);
            return 0;
        default:
            noteUnhandledMessage(window, message, wParam, lParam);
            return 0;
    }
}

void frameInsets(const Window* window, int* side, int* top) {
    *side = 0;
    *top = 0;
    if (window->parent) return;
    // Fixed dialog frame and a caption bar of the usual metrics at 96 dpi.
    if (window->style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) *side = 3;
    if ((window->style & WS_CAPTION) == WS_CAPTION) *top = 23;
}

void clientSize(const Window* window, int* width, int* height) {
    int side, top;
    frameInsets(window, &side, &top);
    *width = (window->rect.right - window->rect.left) - 2 * side;
    *height = (window->rect.bottom - window->rect.top) - top - 2 * side;
    if (*width < 0) *width = 0;
    if (*height < 0) *height = 0;
}

Window* focusWindow() {
    Window* focus = table().focus;
    return focus && focus->alive ? focus : nullptr;
}

bool isEnabledAndVisible(const Window* window) {
    return window->alive && window->enabled && (window->style & WS_VISIBLE);
}

void setFocus(Window* window) {
    Window* old = focusWindow();
    if (old == window) return;
    table().focus = window;
    if (old) {
        sendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window ? window->handle : nullptr),
                    0);
        backend().windowChanged(old);
    }
    // The old holder's notification may have moved the focus again.
    if (window && focusWindow() == window) {
        sendMessage(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(old ? old->handle : nullptr), 0);
        backend().windowChanged(window);
    }
}

void invalidate(Window* window) {
    window->needsPaint = true;
    backend().invalidated(window);
}

void deliverPendingPaints(bool (*skip)(const Window*)) {
    // A procedure that invalidates while painting gets another round, but a
    // window that does so every time cannot hold the loop forever.
    for (int round = 0; round < 8; ++round) {
        std::vector<Window*> pending;
        for (auto& window : table().all)
            if (window->alive && window->needsPaint && !(skip && skip(window.get())))
                pending.push_back(window.get());
        if (pending.empty()) return;
        for (Window* window : pending) {
            if (!window->alive || !window->needsPaint) continue;
            window->needsPaint = false;
            sendMessage(window, WM_PAINT, 0, 0);
        }
    }
}

std::string kindName(WindowKind kind) {
    switch (kind) {
        case WindowKind::Bare:
            return "window";
        case WindowKind::Dialog:
            return "dialog";
        case WindowKind::Edit:
            return "EDIT";
        case WindowKind::Button:
            return "BUTTON";
        case WindowKind::ComboBox:
            return "COMBOBOX";
        case WindowKind::Static:
            return "STATIC";
    }
    return "window";
}

}  // namespace win32

using win32::Window;
using win32::windowFromHandle;

LRESULT WINAPI SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = windowFromHandle(handle);
    return window ? win32::sendMessage(window, message, wParam, lParam) : 0;
}

// A control's parent is its dialog; a popup's "parent" is its owner.
HWND WINAPI GetParent(HWND handle) {
    Window* window = windowFromHandle(handle);
    if (!window) return nullptr;
    Window* up = window->parent ? window->parent : window->owner;
    return up && up->alive ? up->handle : nullptr;
}

BOOL WINAPI EnableWindow(HWND handle, BOOL enable) {
    Window* window = windowFromHandle(handle);
    if (!window) return FALSE;
    BOOL wasDisabled = !window->enabled;
    if (window->enabled == (enable != FALSE)) return wasDisabled;
    window->enabled = enable != FALSE;
    if (!window->enabled && win32::focusWindow() == window) win32::setFocus(nullptr);
    win32::sendMessage(window, WM_ENABLE, enable, 0);
    win32::backend().windowChanged(window);
    return wasDisabled;
}

BOOL WINAPI SetWindowTextA(HWND handle, LPCSTR text) {
    Window* window = windowFromHandle(handle);
    if (!window) return FALSE;
    return win32::sendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) > 0 ? TRUE
                                                                                         : FALSE;
}

int WINAPI GetWindowTextA(HWND handle, LPSTR buffer, int bufferSize) {
    Window* window = windowFromHandle(handle);
    if (!window || !buffer || bufferSize <= 0) return 0;
    return static_cast<int>(win32::sendMessage(window, WM_GETTEXT, static_cast<WPARAM>(bufferSize),
                                               reinterpret_cast<LPARAM>(buffer)));
}

BOOL WINAPI MoveWindow(HWND handle, int x, int y, int width, int height, BOOL repaint) {
    Window* window = windowFromHandle(handle);
    if (!window) return FALSE;
    window->rect = RECT{x, y, x + (width > 0 ? width : 0), y + (height > 0 ? height : 0)};
    win32::backend().windowChanged(window);
    if (repaint) win32::invalidate(window->parent ? window->parent : window);
    return TRUE;
}

BOOL WINAPI InvalidateRgn(HWND handle, HRGN region, BOOL erase) {
    Window* window = windowFromHandle(handle);
    if (!window) return FALSE;
    if (region) {
        // Regions are not kept; a caller passing one would get less than it asked.
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    win32::invalidate(window);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
    Window* window = windowFromHandle(handle);
    if (!window || !paint) return nullptr;
    window->needsPaint = false;
    memset(paint, 0, sizeof(*paint));
    int width, height;
    win32::clientSize(window, &width, &height);
    paint->rcPaint = RECT{0, 0, width, height};
    // Nothing draws through a device context here; the handle only has to be
    // distinct and non-null.
    paint->hdc = reinterpret_cast<HDC>(handle);
    return paint->hdc;
}

BOOL WINAPI EndPaint(HWND handle, const PAINTSTRUCT* paint) {
    return windowFromHandle(handle) && paint ? TRUE : FALSE;
}
