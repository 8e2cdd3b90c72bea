// The EDIT class (single line): text set by the program or typed by the
// user, ES_NUMBER filtering of typed characters, and the notifications.
// Multiline edits, undo, the clipboard and the text limit are not kept; no
// template of the programs asks for them.
#include <ctype.h>

#include "backend.h"
#include "controls.h"

namespace win32 {

bool hasEditField(const Window* window) {
    if (window->kind == WindowKind::Edit) return true;
    return window->kind == WindowKind::ComboBox && !isDropDownList(window);
}

static void notifyTextChanged(Window* window) {
    if (window->kind == WindowKind::ComboBox) {
        notifyParent(window, CBN_EDITUPDATE);
        notifyParent(window, CBN_EDITCHANGE);
    } else if (!(window->style & ES_MULTILINE)) {
        notifyParent(window, EN_UPDATE);
        notifyParent(window, EN_CHANGE);
    }
}

bool editAcceptsChar(const Window* window, char c) {
    if (window->kind == WindowKind::Edit && (window->style & ES_READONLY)) return false;
    if (window->kind == WindowKind::Edit && (window->style & ES_NUMBER))
        return isdigit(static_cast<unsigned char>(c)) != 0;
    return static_cast<unsigned char>(c) >= 0x20;
}

static void clampSelection(Window* window) {
    size_t size = window->text.size();
    if (window->selStart > size) window->selStart = size;
    if (window->selEnd > size) window->selEnd = size;
    if (window->selStart > window->selEnd) std::swap(window->selStart, window->selEnd);
}

bool typeChar(Window* window, char c) {
    if (!editAcceptsChar(window, c)) return false;
    clampSelection(window);
    window->text.replace(window->selStart, window->selEnd - window->selStart, 1, c);
    window->selStart = window->selEnd = window->selStart + 1;
    backend().windowChanged(window);
    notifyTextChanged(window);
    return true;
}

void deleteSelection(Window* window) {
    clampSelection(window);
    if (window->selStart == window->selEnd) return;
    window->text.erase(window->selStart, window->selEnd - window->selStart);
    window->selEnd = window->selStart;
    backend().windowChanged(window);
    notifyTextChanged(window);
}

void selectAll(Window* window) {
    window->selStart = 0;
    window->selEnd = window->text.size();
}

void userEditedText(Window* window, const std::string& text) {
    if (text == window->text) return;
    window->text = text;
    window->selStart = window->selEnd = text.size();
    notifyTextChanged(window);
}

LRESULT editProc(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            // Not filtered by ES_NUMBER, and the change is announced before
            // SendMessage returns: the programs' guard flags rely on that.
            window->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            window->selStart = window->selEnd = 0;
            backend().windowChanged(window);
            notifyTextChanged(window);
            return TRUE;
        case WM_SETFOCUS:
            notifyParent(window, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            notifyParent(window, EN_KILLFOCUS);
            return 0;
        default:
            return defaultWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace win32
