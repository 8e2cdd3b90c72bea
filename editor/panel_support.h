// What the four editing panels share: how a refused command tells the user,
// which map indices a record may name, and rewriting one entry of a list.
#ifndef KELVANE_EDITOR_PANEL_SUPPORT_H
#define KELVANE_EDITOR_PANEL_SUPPORT_H

#include <windows.h>

#include <cstddef>

// A command that wrote nothing says why, in one box under the program's name.
void refuseCommand(HWND dialog, const char* text);

// An add command the document refused: the reason, unless there is no track
// to add to (then the click simply does nothing).
void reportAddFailure(HWND dialog, const char* what);

// Browse for a record the renderer has no slot for (`slots` of them): says
// so and answers true. Asked before the file dialog, so the user does not
// pick a file for nothing. kind is "Map" or "Mesh", file "a picture" or "a
// model".
bool refuseIndexWithoutSlot(HWND dialog, int index, DWORD slots, const char* kind,
                            const char* file);

// A chosen file name that its record's slot (slotSize bytes with the
// terminator) cannot hold: says so and answers true. A cut name would point
// at another file, so it is refused whole. holder is "a map" or "a mesh".
bool refuseLongFileName(HWND dialog, const char* name, DWORD slotSize, const char* holder);

// True when the track has a map at this list position (-1 never does).
bool mapExists(int listIndex);

// The list position of the current selection as a record index, or -1.
int selectedRecord(HWND list, DWORD recordCount);

// Replaces entry `index` by `text` in place, so entry i still stands for
// record i; a list without that entry is left alone.
void replaceListEntry(HWND list, int index, const char* text);

// "index name" entry of the map or mesh record.
const size_t kListEntrySize = 96;

#endif
