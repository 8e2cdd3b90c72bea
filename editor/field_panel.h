// The Fields group: choosing a cell by I and J, giving cells a map, a shape
// and an orientation, adding maps and giving a map its picture.
#ifndef KELVANE_EDITOR_FIELD_PANEL_H
#define KELVANE_EDITOR_FIELD_PANEL_H

#include <windows.h>

// What Set does for one cell, for the commands that set cells without the
// I and J boxes (painting in the Preview): the Fields map list's choice, or
// -1 after Set's refusal; whether a cell lies in the grid; the three writes.
int chosenFieldMap(HWND dialog);
bool cellInGrid(int i, int j);
void setCell(DWORD i, DWORD j, DWORD map);

BOOL fieldCellCommand(HWND dialog, int controlId, WORD notification);
BOOL fieldSetCommand(HWND dialog, int controlId, WORD notification);
BOOL fieldSetAllCommand(HWND dialog, int controlId, WORD notification);
BOOL addMapCommand(HWND dialog, int controlId, WORD notification);
BOOL mapBrowseCommand(HWND dialog, int controlId, WORD notification);
BOOL shapeCommand(HWND dialog, int controlId, WORD notification);
BOOL orientationCommand(HWND dialog, int controlId, WORD notification);

#endif
