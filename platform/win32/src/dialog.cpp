// The dialog manager: templates to windows, modal and modeless dialogs,
// EndDialog, the default button, Enter, Escape, Tab, and dialog units.
// Child dialogs (DS_CONTROL, WS_CHILD templates) are refused.
#include "dialog.h"

#include <stdio.h>

#include <algorithm>

#include "backend.h"
#include "controls.h"
#include "platform/resource_table.h"

namespace win32 {
namespace {

using platform::DialogItemResource;
using platform::DialogResource;
using platform::findDialogResource;

std::vector<Window*>& openDialogs() {
    static std::vector<Window*> dialogs;
    return dialogs;
}

int mulDiv(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

// What the dialog procedure does not handle gets Windows' default handling.
LRESULT defaultDialogProc(Window* dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE: {
            Window* cancel = findControl(dialog, IDCANCEL);
            if (cancel && !cancel->enabled) return 0;
            sendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                        reinterpret_cast<LPARAM>(cancel ? cancel->handle : nullptr));
            return 0;
        }
        case DM_SETDEFID:
            dialog->defaultId = static_cast<int>(wParam);
            return TRUE;
        case DM_GETDEFID: {
            if (dialog->defaultId) return MAKELONG(dialog->defaultId, DC_HASDEFID);
            for (Window* child : dialog->children)
                if (child->kind == WindowKind::Button && buttonType(child) == BS_DEFPUSHBUTTON)
                    return MAKELONG(child->id, DC_HASDEFID);
            return 0;
        }
        default:
            return defaultWindowProc(dialog, message, wParam, lParam);
    }
}

LRESULT dialogWindowProc(Window* dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR handled =
        dialog->dialogProc ? dialog->dialogProc(dialog->handle, message, wParam, lParam) : FALSE;
    if (message == WM_INITDIALOG || handled) return handled;
    return defaultDialogProc(dialog, message, wParam, lParam);
}

Window* firstTabStop(const Window* dialog) {
    for (Window* child : dialog->children)
        if ((child->style & WS_TABSTOP) && isEnabledAndVisible(child)) return child;
    return nullptr;
}

// The dialog manager focuses an edit box with its whole text selected.
void focusFromKeyboard(Window* control) {
    if (hasEditField(control)) selectAll(control);
    setFocus(control);
}

Window* topLevelOf(Window* window) {
    while (window && window->parent) window = window->parent;
    return window;
}

void placeDialog(Window* dialog, const DialogResource& resource) {
    int side, top, screenWidth, screenHeight;
    frameInsets(dialog, &side, &top);
    int width = dialogUnitsToPixelsX(dialog, resource.cx) + 2 * side;
    int height = dialogUnitsToPixelsY(dialog, resource.cy) + top + 2 * side;
    int x = dialogUnitsToPixelsX(dialog, resource.x);
    int y = dialogUnitsToPixelsY(dialog, resource.y);
    if (dialog->owner && !(resource.style & DS_CENTER)) {
        int ownerSide, ownerTop;
        frameInsets(dialog->owner, &ownerSide, &ownerTop);
        x += dialog->owner->rect.left + ownerSide;
        y += dialog->owner->rect.top + ownerTop + ownerSide;
    }
    backend().screenSize(&screenWidth, &screenHeight);
    if (resource.style & DS_CENTER) {
        x = (screenWidth - width) / 2;
        y = (screenHeight - height) / 2;
    }
    dialog->rect = RECT{x, y, x + width, y + height};
}

bool addControl(Window* dialog, const DialogItemResource& item) {
    WindowKind kind;
    if (!controlKindForClass(item.className, &kind)) {
        fprintf(stderr, "dialog: window class \"%s\" is not provided\n",
                item.className ? item.className : "");
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return false;
    }
    Window* control = newWindow(kind, controlProc(kind));
    control->parent = dialog;
    control->id = item.id;
    control->style = item.style | WS_CHILD;
    control->exStyle = item.exStyle;
    control->enabled = !(item.style & WS_DISABLED);
    if (kind != WindowKind::ComboBox || !isDropDownList(control))
        control->text = item.text ? item.text : "";
    int x = dialogUnitsToPixelsX(dialog, item.x), y = dialogUnitsToPixelsY(dialog, item.y);
    control->rect = RECT{x, y, x + dialogUnitsToPixelsX(dialog, item.cx),
                         y + dialogUnitsToPixelsY(dialog, item.cy)};
    dialog->children.push_back(control);
    return true;
}

Window* buildDialog(const DialogResource& resource, Window* owner, DLGPROC proc) {
    Window* dialog = newWindow(WindowKind::Dialog, dialogWindowProc);
    dialog->owner = owner;
    dialog->style = resource.style;
    dialog->exStyle = resource.exStyle;
    dialog->enabled = !(resource.style & WS_DISABLED);
    dialog->text = resource.caption ? resource.caption : "";
    if ((resource.style & DS_SETFONT) && resource.fontFace)
        dialog->font = backend().dialogFont(resource.fontFace, resource.fontPointSize);
    else
        dialog->font = backend().dialogFont("", 0);
    placeDialog(dialog, resource);
    for (size_t i = 0; i < resource.itemCount; ++i) {
        if (!addControl(dialog, resource.items[i])) {
            destroyWindow(dialog);
            return nullptr;
        }
    }
    dialog->dialogProc = proc;
    return dialog;
}

const DialogResource* findTemplate(LPCSTR name) {
    const DialogResource* resource =
        IS_INTRESOURCE(name) ? findDialogResource(LOWORD(name)) : nullptr;
    if (!resource) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return resource;
}

// CreateDialogParamA and DialogBoxParamA alike: build, initialise, show.
Window* createDialog(LPCSTR name, HWND ownerHandle, DLGPROC proc, LPARAM param, bool modal) {
    Window* owner = nullptr;
    if (ownerHandle && !(owner = topLevelOf(windowFromHandle(ownerHandle)))) return nullptr;
    const DialogResource* resource = findTemplate(name);
    if (!resource) return nullptr;
    if (resource->style & (WS_CHILD | DS_CONTROL)) {
        fprintf(stderr, "dialog: template %d is a child dialog, which is not provided\n",
                resource->id);
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    Window* dialog = buildDialog(*resource, owner, proc);
    if (!dialog) return nullptr;
    dialog->modal = modal;
    openDialogs().push_back(dialog);
    Window* first = firstTabStop(dialog);
    LRESULT focusDefault = sendMessage(
        dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first ? first->handle : nullptr), param);
    if (!dialog->alive) return nullptr;
    if (focusDefault && first && first->alive && !dialog->ended) focusFromKeyboard(first);
    if (modal) dialog->style |= WS_VISIBLE;
    if (dialog->ended && modal) return dialog;
    backend().windowCreated(dialog);
    if (dialog->style & WS_VISIBLE) invalidate(dialog);
    return dialog;
}

// The tab stop after `from` in the template's order (before it, backwards),
// wrapping around; from the first or last one when `from` is not a child.
Window* nextTabStop(const Window* dialog, const Window* from, bool backwards) {
    const std::vector<Window*>& children = dialog->children;
    size_t count = children.size();
    auto at = std::find(children.begin(), children.end(), from);
    size_t start = at != children.end() ? static_cast<size_t>(at - children.begin())
                   : backwards          ? 0
                                        : count - 1;
    for (size_t step = 1; step <= count; ++step) {
        Window* candidate = children[(start + (backwards ? count - step : step)) % count];
        if ((candidate->style & WS_TABSTOP) && isEnabledAndVisible(candidate)) return candidate;
    }
    return nullptr;
}

void pressEnter(Window* dialog) {
    Window* focus = focusWindow();
    if (focus && focus->parent == dialog && isPushButton(focus)) {
        notifyParent(focus, BN_CLICKED);
        return;
    }
    LRESULT defId = sendMessage(dialog, DM_GETDEFID, 0, 0);
    int id = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
    Window* button = findControl(dialog, id);
    if (button && !button->enabled) return;
    sendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                reinterpret_cast<LPARAM>(button ? button->handle : nullptr));
}

}  // namespace

// Windows' horizontal base unit is (letterRunWidth / 26 + 1) / 2, cut to a
// whole pixel. The cut is kept out: harmless with the bitmap font the layouts
// were made with, it costs up to an eighth of every width with any other font
// and clips labels that fit on Windows. units * base / 4, with the base exact:
int dialogUnitsToPixelsX(const Window* dialog, int units) {
    return mulDiv(units, dialog->font.letterRunWidth + 26, 4 * 52);
}
int dialogUnitsToPixelsY(const Window* dialog, int units) {
    return mulDiv(units, dialog->font.height, 8);
}

Window* findControl(const Window* dialog, int id) {
    for (Window* child : dialog->children)
        if (child->id == id && child->alive) return child;
    return nullptr;
}

Window* activeDialog() {
    std::vector<Window*>& dialogs = openDialogs();
    dialogs.erase(
        std::remove_if(dialogs.begin(), dialogs.end(), [](Window* w) { return !w->alive; }),
        dialogs.end());
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it)
        if ((*it)->modal && !(*it)->ended) return *it;
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it)
        if (!(*it)->ended) return *it;
    return nullptr;
}

void endAllDialogs() {
    for (Window* dialog : openDialogs()) {
        if (!dialog->alive || dialog->ended) continue;
        dialog->ended = true;
        dialog->result = 0;
    }
}

void pressDialogKey(Window* dialog, DialogKey key) {
    switch (key) {
        case DialogKey::Enter:
            pressEnter(dialog);
            break;
        case DialogKey::Escape: {
            // IDCANCEL even when the dialog has no Cancel button.
            Window* cancel = findControl(dialog, IDCANCEL);
            sendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                        reinterpret_cast<LPARAM>(cancel ? cancel->handle : nullptr));
            break;
        }
        case DialogKey::Tab:
        case DialogKey::ShiftTab: {
            Window* focus = focusWindow();
            Window* next = nextTabStop(dialog, focus && focus->parent == dialog ? focus : nullptr,
                                       key == DialogKey::ShiftTab);
            if (next) focusFromKeyboard(next);
            break;
        }
    }
}

void pressCloseBox(Window* window) {
    sendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace win32

using win32::Window;

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam) {
    Window* previousFocus = win32::focusWindow();
    Window* dialog = win32::createDialog(templateName, owner, dialogProc, initParam, true);
    if (!dialog) return -1;
    Window* ownerWindow = dialog->owner;
    bool ownerWasEnabled = ownerWindow && ownerWindow->enabled;
    if (!dialog->ended) {
        if (ownerWasEnabled) EnableWindow(ownerWindow->handle, FALSE);
        win32::backend().runModalLoop(dialog);
        if (ownerWasEnabled && ownerWindow->alive) EnableWindow(ownerWindow->handle, TRUE);
    }
    INT_PTR result = dialog->result;
    win32::destroyWindow(dialog);
    if (previousFocus && previousFocus->alive) win32::setFocus(previousFocus);
    return result;
}

HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam) {
    Window* dialog = win32::createDialog(templateName, owner, dialogProc, initParam, false);
    return dialog ? dialog->handle : nullptr;
}

BOOL WINAPI EndDialog(HWND handle, INT_PTR result) {
    Window* dialog = win32::windowFromHandle(handle);
    if (!dialog) return FALSE;
    dialog->ended = true;
    dialog->result = result;
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND handle, int id) {
    Window* dialog = win32::windowFromHandle(handle);
    if (!dialog) return nullptr;
    Window* control = win32::findControl(dialog, id);
    if (!control) {
        SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
        return nullptr;
    }
    return control->handle;
}
