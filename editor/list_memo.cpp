#include "list_memo.h"

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "control_text.h"
#include "edit_history.h"
#include "editor_state.h"
#include "kelvane_ids.h"
#include "track_history.h"

namespace {

struct ListState {
    std::vector<std::string> entries;
    int selection = -1;
};

struct ListsState {
    std::vector<HWND> handles;
    std::vector<ListState> lists;  // of handles, in order
};

struct Memo {
    ListsState before;
    ListsState after;
};

std::vector<HWND> namingLists() {
    return {controls.fieldMaps, controls.borderMap, controls.backgroundMap, controls.spriteMap,
            controls.meshList};
}

bool isSpriteCommand(int controlId) {
    switch (controlId) {
        case IDC_SPRITE_POS_X:
        case IDC_SPRITE_POS_Y:
        case IDC_SPRITE_POS_Z:
        case IDC_SPRITE_SCALE_X:
        case IDC_SPRITE_SCALE_Y:
        case IDC_SPRITE_ANGLE:
        case IDC_SPRITE_MAP:
        case IDC_SPRITE_FACE:
            return true;
        default:
            return false;
    }
}

ListState readList(HWND list) {
    ListState state;
    int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
        if (length > 0)
            SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&text[0]));
        text.resize(length > 0 ? static_cast<size_t>(length) : 0);
        state.entries.push_back(text);
    }
    state.selection = listSelection(list);
    return state;
}

void writeList(HWND list, const ListState& state) {
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : state.entries) addListText(list, entry.c_str());
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(state.selection), 0);
}

ListsState readLists(const std::vector<HWND>& handles) {
    ListsState state;
    state.handles = handles;
    for (HWND list : handles) state.lists.push_back(readList(list));
    return state;
}

std::map<uint64_t, Memo>& memos() {
    static std::map<uint64_t, Memo> kept;
    return kept;
}

ListsState& pendingBefore() {
    static ListsState before;
    return before;
}

}  // namespace

std::vector<HWND> listsChangedBy(int controlId) {
    if (controlId == IDC_FIELD_ADD_MAP || controlId == IDC_FIELD_BROWSE ||
        controlId == IDC_MESH_ADD || controlId == IDC_MESH_BROWSE)
        return namingLists();
    // A billboard not yet used shows no map; the list showed one before.
    if (isSpriteCommand(controlId)) return {controls.spriteMap};
    return {};
}

void rememberListsBefore(const std::vector<HWND>& lists) {
    pendingBefore() = readLists(lists);
}

void rememberListsAfter(uint64_t serial) {
    for (auto memo = memos().begin(); memo != memos().end();)
        memo = editHistory().holdsStep(memo->first) ? std::next(memo) : memos().erase(memo);
    if (serial == 0) return;
    // Keystrokes merged into one step keep the lists from before the first.
    bool merged = memos().count(serial) != 0;
    Memo& memo = memos()[serial];
    if (!merged) memo.before = std::move(pendingBefore());
    memo.after = readLists(memo.before.handles);
}

void showRememberedLists(uint64_t serial, bool back) {
    auto found = memos().find(serial);
    if (found == memos().end()) return;
    const ListsState& state = back ? found->second.before : found->second.after;
    for (size_t k = 0; k < state.handles.size() && k < state.lists.size(); ++k)
        writeList(state.handles[k], state.lists[k]);
}
