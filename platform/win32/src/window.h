// The window core's private view: every window (top-level dialog, bare
// window or control) is one Window object behind its HWND. The core knows no
// back end; back ends see Windows through backend.h only.
#ifndef KELVANE_WIN32_WINDOW_H
#define KELVANE_WIN32_WINDOW_H

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/window_surface.h"

namespace win32 {

enum class WindowKind { Bare, Dialog, Edit, Button, ComboBox, Static };

struct Window;
// A dialog's font as the dialog manager measures it: the pixel size the
// controls draw with, the width of "A".."Z""a".."z" in it (Windows' base for
// the horizontal dialog unit) and its cell height (the vertical one).
struct DialogFont {
    int pixels = 0;
    int letterRunWidth = 0;
    int height = 0;
};

using WindowProc = LRESULT (*)(Window*, UINT, WPARAM, LPARAM);

struct Window {
    HWND handle = nullptr;
    WindowKind kind = WindowKind::Bare;
    WindowProc proc = nullptr;
    Window* parent = nullptr;  // the dialog of a control
    Window* owner = nullptr;   // the owner of a top-level window
    bool alive = true;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    RECT rect{};  // control: in the dialog's client area; top-level: outer, on screen
    bool enabled = true;
    bool needsPaint = false;
    std::function<bool(platform::Frame*)> frameSource;
    void* backendData = nullptr;

    // Dialogs.
    std::vector<Window*> children;  // template order, which is also the Tab order
    DLGPROC dialogProc = nullptr;
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    int defaultId = 0;
    DialogFont font;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;

    // Buttons.
    int check = BST_UNCHECKED;

    // Edit boxes (and the edit field of a drop-down combo box): the selection.
    size_t selStart = 0;
    size_t selEnd = 0;

    // Combo boxes.
    std::vector<std::string> items;
    int curSel = CB_ERR;
    bool dropped = false;
};

// Handle table. Destroyed windows stay allocated (never reachable through a
// handle) so a procedure that destroys its own window does not run on freed
// memory.
Window* windowFromHandle(HWND handle);  // null, with ERROR_INVALID_WINDOW_HANDLE set
Window* newWindow(WindowKind kind, WindowProc proc);
void destroyWindow(Window* window);
std::vector<Window*> topLevelWindows();

LRESULT sendMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
// WM_COMMAND from a control to its dialog, with the control's id and handle.
void notifyParent(Window* control, int code);
LRESULT defaultWindowProc(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
// A control message that reached the default procedure: reported once.
void noteUnhandledMessage(const Window* window, UINT message, WPARAM wParam, LPARAM lParam);

// Top-level frame: the client area is the outer rectangle less this.
void frameInsets(const Window* window, int* side, int* top);
void clientSize(const Window* window, int* width, int* height);
// Moves and sizes the window (outer rectangle for a top-level one) and, when
// its client size changed, sends WM_SIZE as Windows does after a move.
void placeWindow(Window* window, const RECT& rect);
// WM_SIZE with the new client size when it differs from the old one; for
// back ends whose window was resized by the user.
void clientSizeMayHaveChanged(Window* window, int oldWidth, int oldHeight);

// Keyboard focus, with the notifications the old and new holders send.
Window* focusWindow();
void setFocus(Window* window);
bool isEnabledAndVisible(const Window* window);

// Invalidation and the paint pass a message loop runs when no input waits.
void invalidate(Window* window);
// `skip` names windows painted elsewhere (an OpenGL surface's own redraw).
void deliverPendingPaints(bool (*skip)(const Window*) = nullptr);

std::string kindName(WindowKind kind);

}  // namespace win32

#endif
