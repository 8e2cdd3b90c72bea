// The Sprites group: the billboard chosen in "No.:" with its position, scale,
// angle, "Face" mode and map, and adding billboards.
#ifndef KELVANE_EDITOR_SPRITE_PANEL_H
#define KELVANE_EDITOR_SPRITE_PANEL_H

#include <windows.h>

// Pos. X, Pos. Y, Pos. Z, Scale X, Scale Y and Angle Y.
BOOL spriteValueCommand(HWND dialog, int controlId, WORD notification);
BOOL spriteFaceCommand(HWND dialog, int controlId, WORD notification);
BOOL spriteNumberCommand(HWND dialog, int controlId, WORD notification);
BOOL spriteMapCommand(HWND dialog, int controlId, WORD notification);
BOOL addBillboardCommand(HWND dialog, int controlId, WORD notification);

#endif
