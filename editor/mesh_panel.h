// The Meshes group: the placement chosen in the mesh list with its position,
// scale and angle, adding placements and giving one its .x model.
#ifndef KELVANE_EDITOR_MESH_PANEL_H
#define KELVANE_EDITOR_MESH_PANEL_H

#include <windows.h>

// Pos. X, Pos. Y, Pos. Z, Scale and Angle Y.
BOOL meshValueCommand(HWND dialog, int controlId, WORD notification);
BOOL meshListCommand(HWND dialog, int controlId, WORD notification);
BOOL addMeshCommand(HWND dialog, int controlId, WORD notification);
BOOL meshBrowseCommand(HWND dialog, int controlId, WORD notification);

#endif
