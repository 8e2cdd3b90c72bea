// Copy, cut and paste of field cells. What Ctrl+C copies is the rectangle
// last painted with Shift-drag in the Preview while the selected cell lies
// in it (painting leaves it on the last corner), else the selected cell;
// Ctrl+V puts the copied block with its top-left corner on the selected
// cell, clipped at the grid's edge, as one undo step.
#ifndef KELVANE_EDITOR_CELL_CLIPBOARD_H
#define KELVANE_EDITOR_CELL_CLIPBOARD_H

#include <windows.h>

BOOL copyCellsCommand(HWND dialog);
// Copies, then leaves the cells empty, as a new track's cells are.
BOOL cutCellsCommand(HWND dialog);
BOOL pasteCellsCommand(HWND dialog);

#endif
