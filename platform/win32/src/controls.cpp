// The control class table, the STATIC class, and how a control's state reads
// to the scripted user.
#include <strings.h>

#include "controls.h"

namespace win32 {

bool controlKindForClass(const char* className, WindowKind* kind) {
    static const struct {
        const char* name;
        WindowKind kind;
    } classes[] = {{"EDIT", WindowKind::Edit},
                   {"BUTTON", WindowKind::Button},
                   {"COMBOBOX", WindowKind::ComboBox},
                   {"STATIC", WindowKind::Static}};
    for (const auto& entry : classes) {
        if (className && strcasecmp(className, entry.name) == 0) {
            *kind = entry.kind;
            return true;
        }
    }
    return false;
}

LRESULT staticProc(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    return defaultWindowProc(window, message, wParam, lParam);
}

WindowProc controlProc(WindowKind kind) {
    switch (kind) {
        case WindowKind::Edit:
            return editProc;
        case WindowKind::Button:
            return buttonProc;
        case WindowKind::ComboBox:
            return comboProc;
        default:
            return staticProc;
    }
}

static std::string describeCombo(const Window* window) {
    std::string entries;
    for (size_t i = 0; i < window->items.size(); ++i) {
        if (i) entries += '|';
        entries += window->items[i];
    }
    return entries + " sel=" + std::to_string(window->curSel);
}

std::string describeControl(const Window* window) {
    std::string state;
    if (window->kind == WindowKind::ComboBox)
        state = describeCombo(window);
    else if (isCheckable(window))
        state = window->check == BST_CHECKED         ? "checked"
                : window->check == BST_INDETERMINATE ? "indeterminate"
                                                     : "unchecked";
    else
        state = window->text;
    if (!window->enabled) state += " disabled";
    return std::to_string(window->id) + ": " + state;
}

}  // namespace win32
