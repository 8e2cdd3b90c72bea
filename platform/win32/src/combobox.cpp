// The COMBOBOX class: drop-down lists and drop-downs with an edit field,
// unsorted or sorted, with the messages the programs send and the
// notification order of a user's pick. Owner-drawn lists and CB_DIR are not
// provided.
#include <string.h>
#include <strings.h>

#include "backend.h"
#include "controls.h"

namespace win32 {

bool isDropDownList(const Window* window) {
    return (window->style & 0x3) == CBS_DROPDOWNLIST;
}

static int itemCount(const Window* window) {
    return static_cast<int>(window->items.size());
}

// The edit field of a drop-down shows the selected entry.
static void showSelection(Window* window) {
    if (!isDropDownList(window))
        window->text = window->curSel >= 0 ? window->items[window->curSel] : std::string();
    backend().windowChanged(window);
}

static LRESULT insertItem(Window* window, int index, const char* text) {
    if (!text) text = "";
    if (index == -1) index = itemCount(window);
    if (window->style & CBS_SORT) {
        index = 0;
        while (index < itemCount(window) && strcasecmp(window->items[index].c_str(), text) <= 0)
            ++index;
    }
    if (index < 0 || index > itemCount(window)) return CB_ERR;
    window->items.insert(window->items.begin() + index, text);
    if (window->curSel >= index) ++window->curSel;
    backend().windowChanged(window);
    return index;
}

static LRESULT deleteItem(Window* window, int index) {
    if (index < 0 || index >= itemCount(window)) return CB_ERR;
    window->items.erase(window->items.begin() + index);
    if (window->curSel == index)
        window->curSel = CB_ERR;
    else if (window->curSel > index)
        --window->curSel;
    backend().windowChanged(window);
    return itemCount(window);
}

static LRESULT setCurSel(Window* window, int index) {
    bool valid = index >= 0 && index < itemCount(window);
    window->curSel = valid ? index : CB_ERR;
    showSelection(window);
    return valid ? index : CB_ERR;
}

static LRESULT copyItem(const Window* window, int index, char* out) {
    if (index < 0 || index >= itemCount(window) || !out) return CB_ERR;
    const std::string& item = window->items[index];
    memcpy(out, item.c_str(), item.size() + 1);
    return static_cast<LRESULT>(item.size());
}

static LRESULT textMessage(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (isDropDownList(window)) {
        // The text of a drop-down list is its selected entry.
        std::string saved = window->text;
        window->text = window->curSel >= 0 ? window->items[window->curSel] : std::string();
        LRESULT result =
            message == WM_SETTEXT ? CB_ERR : defaultWindowProc(window, message, wParam, lParam);
        window->text = saved;
        return result;
    }
    return defaultWindowProc(window, message, wParam, lParam);
}

static void closeDropDown(Window* window, bool accepted) {
    if (!window->dropped) return;
    window->dropped = false;
    backend().windowChanged(window);
    notifyParent(window, accepted ? CBN_SELENDOK : CBN_SELENDCANCEL);
    notifyParent(window, CBN_CLOSEUP);
}

void openComboList(Window* window) {
    setFocus(window);
    if (!window->alive || window->dropped) return;
    window->dropped = true;
    backend().windowChanged(window);
    notifyParent(window, CBN_DROPDOWN);
}

void pickComboEntry(Window* window, int index) {
    if (!window->alive || index < 0 || index >= itemCount(window)) return;
    window->curSel = index;
    showSelection(window);
    window->dropped = true;  // a pick always closes an open list
    closeDropDown(window, true);
    notifyParent(window, CBN_SELCHANGE);
}

void dismissComboList(Window* window) {
    if (window->alive) closeDropDown(window, false);
}

void chooseComboEntry(Window* window, int index) {
    openComboList(window);
    pickComboEntry(window, index);
}

LRESULT comboProc(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
        case CB_ADDSTRING:
            return insertItem(window, -1, text);
        case CB_INSERTSTRING:
            return insertItem(window, index, text);
        case CB_DELETESTRING:
            return deleteItem(window, index);
        case CB_RESETCONTENT:
            window->items.clear();
            window->curSel = CB_ERR;
            showSelection(window);
            return CB_OKAY;
        case CB_SETCURSEL:
            return setCurSel(window, index);
        case CB_GETCURSEL:
            return window->curSel;
        case CB_GETCOUNT:
            return itemCount(window);
        case CB_GETLBTEXT:
            return copyItem(window, index, reinterpret_cast<char*>(lParam));
        case CB_GETLBTEXTLEN:
            return index >= 0 && index < itemCount(window)
                       ? static_cast<LRESULT>(window->items[index].size())
                       : CB_ERR;
        case WM_SETTEXT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            return textMessage(window, message, wParam, lParam);
        case WM_SETFOCUS:
            notifyParent(window, CBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            closeDropDown(window, false);
            notifyParent(window, CBN_KILLFOCUS);
            return 0;
        default:
            return defaultWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace win32
