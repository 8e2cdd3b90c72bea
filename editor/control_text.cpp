#include "control_text.h"

#include <cstdint>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {
// GetWindowTextA into 16 bytes reads at most 15 characters.
const int kNumberTextSize = 16;
}  // namespace

int parseNumber(const char* text) {
    // 15 digits always fit a long long, so strtoll cannot overflow here.
    long long value = std::strtoll(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

int readNumber(HWND edit) {
    char text[kNumberTextSize] = {};
    GetWindowTextA(edit, text, kNumberTextSize);
    return parseNumber(text);
}

void writeNumber(HWND edit, DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(static_cast<int32_t>(value)));
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void addListText(HWND list, const char* text) {
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void addListNumber(HWND list, DWORD number) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(number));
    addListText(list, text);
}

int listSelection(HWND list) {
    return static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
}

void selectListEntry(HWND list, DWORD index) {
    // A stored index may name no entry; the list is then left without selection
    // like CB_SETCURSEL with -1, which is what Windows does for such an index.
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(static_cast<int32_t>(index)), 0);
}
