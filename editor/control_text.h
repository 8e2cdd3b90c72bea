// Numbers in edit boxes and texts in lists, read and written the way every
// command of the main dialog does it.
#ifndef KELVANE_EDITOR_CONTROL_TEXT_H
#define KELVANE_EDITOR_CONTROL_TEXT_H

#include <windows.h>

// Decimal by the atoi rules from at most 15 characters of the box; values
// beyond the int range saturate instead of wrapping.
int readNumber(HWND edit);
int parseNumber(const char* text);

// A stored word shown as signed decimal: the top bit set reads as a minus.
void writeNumber(HWND edit, DWORD value);

void addListText(HWND list, const char* text);
void addListNumber(HWND list, DWORD number);
int listSelection(HWND list);
void selectListEntry(HWND list, DWORD index);

#endif
