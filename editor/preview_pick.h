// Picking in the Preview window: what the frame shows under a client pixel,
// and choosing it in its panel as the user would there.
#ifndef KELVANE_EDITOR_PREVIEW_PICK_H
#define KELVANE_EDITOR_PREVIEW_PICK_H

#include <windows.h>

#include "pick.h"

// Client pixel (x, y) of the Preview, seen through the matrices of the
// frame it shows (the free camera or the top view).
PickResult pickInPreview(HWND preview, int x, int y);

// Makes the picked thing the selection of its panel: a cell through the I
// and J boxes, a billboard through "No.:", a placement through the mesh
// list, a border through "Border:". Nothing picked changes nothing.
void chooseInPanels(HWND dialog, const PickResult& picked);

// Shows cell (i, j) in the I and J boxes, which marks it as typing would.
void showCellInPanel(DWORD i, DWORD j);

#endif
