// The Fields group: choosing a cell by I and J, giving cells a map, a shape
// and an orientation, adding maps and giving a map its picture.
#ifndef KELVANE_EDITOR_FIELD_PANEL_H
#define KELVANE_EDITOR_FIELD_PANEL_H

#include <windows.h>

BOOL fieldCellCommand(HWND dialog, int controlId, WORD notification);
BOOL fieldSetCommand(HWND dialog, int controlId, WORD notification);
BOOL fieldSetAllCommand(HWND dialog, int controlId, WORD notification);
BOOL addMapCommand(HWND dialog, int controlId, WORD notification);
BOOL mapBrowseCommand(HWND dialog, int controlId, WORD notification);
BOOL shapeCommand(HWND dialog, int controlId, WORD notification);
BOOL orientationCommand(HWND dialog, int controlId, WORD notification);

#endif
