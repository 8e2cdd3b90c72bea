// The Borders group (the border chosen in "Border:" with its two ground
// points, heights and type, adding borders, "Show Borders") and the "Border"
// and "Background" groups (the maps of the wall ring and the background).
#ifndef KELVANE_EDITOR_BORDER_PANEL_H
#define KELVANE_EDITOR_BORDER_PANEL_H

#include <windows.h>

// Pos X1, Pos Z1, Pos X2, Pos Z2, Top and Bottom.
BOOL borderValueCommand(HWND dialog, int controlId, WORD notification);
BOOL borderTypeCommand(HWND dialog, int controlId, WORD notification);
BOOL borderListCommand(HWND dialog, int controlId, WORD notification);
BOOL addBorderCommand(HWND dialog, int controlId, WORD notification);
BOOL showBordersCommand(HWND dialog, int controlId, WORD notification);
// The "Border" and "Background" map lists.
BOOL trackMapCommand(HWND dialog, int controlId, WORD notification);

#endif
