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
    std::vector<ListState> lists;  // in the order of namingLists()
};

struct Memo {
    ListsState before;
    ListsState after;
};

std::vector<HWND> namingLists() {
    return {controls.fieldMaps, controls.borderMap, controls.backgroundMap, controls.spriteMap,
            controls.meshList};
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

ListsState readLists() {
    ListsState state;
    for (HWND list : namingLists()) state.lists.push_back(readList(list));
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

bool commandRenamesLists(int controlId) {
    return controlId == IDC_FIELD_ADD_MAP || controlId == IDC_FIELD_BROWSE ||
           controlId == IDC_MESH_ADD || controlId == IDC_MESH_BROWSE;
}

void rememberListsBefore() {
    pendingBefore() = readLists();
}

void rememberListsAfter(uint64_t serial) {
    for (auto memo = memos().begin(); memo != memos().end();)
        memo = editHistory().holdsStep(memo->first) ? std::next(memo) : memos().erase(memo);
    if (serial == 0) return;
    Memo& memo = memos()[serial];
    memo.before = std::move(pendingBefore());
    memo.after = readLists();
}

void showRememberedLists(uint64_t serial, bool back) {
    auto found = memos().find(serial);
    if (found == memos().end()) return;
    const ListsState& state = back ? found->second.before : found->second.after;
    std::vector<HWND> lists = namingLists();
    for (size_t k = 0; k < lists.size() && k < state.lists.size(); ++k)
        writeList(lists[k], state.lists[k]);
}
