// The BUTTON class: push and default push buttons, automatic check boxes
// (also push-like), automatic radio buttons with their groups, group boxes.
// Owner-drawn and user buttons are not drawn; the programs have none.
#include "backend.h"
#include "controls.h"

namespace win32 {

int buttonType(const Window* window) {
    return static_cast<int>(window->style & BS_TYPEMASK);
}

bool isPushButton(const Window* window) {
    if (window->kind != WindowKind::Button) return false;
    int type = buttonType(window);
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool isCheckable(const Window* window) {
    if (window->kind != WindowKind::Button) return false;
    switch (buttonType(window)) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_AUTORADIOBUTTON:
            return true;
        default:
            return false;
    }
}

static bool isRadio(const Window* window) {
    int type = buttonType(window);
    return window->kind == WindowKind::Button &&
           (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

static void setCheck(Window* window, int state) {
    if (window->check == state) return;
    window->check = state;
    backend().windowChanged(window);
}

// A group runs from a control with WS_GROUP to the control before the next one.
static void uncheckOtherRadios(Window* button) {
    const std::vector<Window*>& siblings = button->parent->children;
    size_t self = 0;
    while (self < siblings.size() && siblings[self] != button) ++self;
    size_t first = self;
    while (first > 0 && !(siblings[first]->style & WS_GROUP)) --first;
    for (size_t i = first; i < siblings.size(); ++i) {
        if (i > first && (siblings[i]->style & WS_GROUP)) break;
        if (siblings[i] != button && isRadio(siblings[i])) setCheck(siblings[i], BST_UNCHECKED);
    }
}

void clickButton(Window* window) {
    int type = buttonType(window);
    if (type == BS_GROUPBOX) return;
    setFocus(window);
    if (!window->alive) return;
    if (type == BS_AUTOCHECKBOX)
        setCheck(window, window->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    if (type == BS_AUTO3STATE) setCheck(window, (window->check + 1) % 3);
    if (type == BS_AUTORADIOBUTTON) {
        setCheck(window, BST_CHECKED);
        if (window->parent) uncheckOtherRadios(window);
    }
    notifyParent(window, BN_CLICKED);
}

LRESULT buttonProc(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case BM_GETCHECK:
            return isCheckable(window) ? window->check : BST_UNCHECKED;
        case BM_SETCHECK: {
            // No BN_CLICKED, and the other radio buttons keep their state.
            int state = static_cast<int>(wParam);
            int type = buttonType(window);
            if (state == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE)
                state = BST_CHECKED;
            if (isCheckable(window))
                setCheck(window, state == BST_UNCHECKED ? BST_UNCHECKED : state);
            return 0;
        }
        case WM_SETFOCUS:
            if (window->style & BS_NOTIFY) notifyParent(window, BN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            if (window->style & BS_NOTIFY) notifyParent(window, BN_KILLFOCUS);
            return 0;
        default:
            return defaultWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace win32
