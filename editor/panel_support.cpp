#include "panel_support.h"

#include <cstdio>
#include <cstring>

#include "message_caption.h"
#include "track_document.h"

void refuseCommand(HWND dialog, const char* text) {
    MessageBoxA(dialog, text, kMessageCaption, MB_OK | MB_ICONWARNING);
}

void reportAddFailure(HWND dialog, const char* what) {
    if (!trackDocument.isLoaded()) return;
    char text[160];
    std::snprintf(text, sizeof text, "Cannot add %s: %s.", what, trackDocument.lastErrorText());
    refuseCommand(dialog, text);
}

bool refuseIndexWithoutSlot(HWND dialog, int index, DWORD slots, const char* kind,
                            const char* file) {
    if (index >= 0 && static_cast<DWORD>(index) < slots) return false;
    char text[160];
    std::snprintf(text, sizeof text, "%s %d cannot get %s: the Preview can show only the first %u.",
                  kind, index, file, static_cast<unsigned>(slots));
    refuseCommand(dialog, text);
    return true;
}

bool refuseLongFileName(HWND dialog, const char* name, DWORD slotSize, const char* holder) {
    if (std::strlen(name) < slotSize) return false;
    char text[400];
    std::snprintf(text, sizeof text,
                  "The file name \"%.260s\" is longer than the %u characters %s can hold; "
                  "nothing was changed.",
                  name, static_cast<unsigned>(slotSize - 1), holder);
    refuseCommand(dialog, text);
    return true;
}

bool mapExists(int listIndex) {
    return listIndex >= 0 && static_cast<DWORD>(listIndex) < trackDocument.getMapCount();
}

int selectedRecord(HWND list, DWORD recordCount) {
    int index = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
    return index >= 0 && static_cast<DWORD>(index) < recordCount ? index : -1;
}

void replaceListEntry(HWND list, int index, const char* text) {
    int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    if (index < 0 || index >= count) return;
    SendMessageA(list, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(list, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
}
