// The Track group (New, Load, Save) and the routines that bring the panels in
// step with the document after the whole track was replaced.
#ifndef KELVANE_EDITOR_TRACK_COMMANDS_H
#define KELVANE_EDITOR_TRACK_COMMANDS_H

#include <windows.h>

#include <cstddef>

// "index name" of a map or mesh record, "(null)" for one without a file.
void mapListEntry(char* out, size_t outSize, DWORD index, const char* name);

// Copy one record into its panel; callers hold a ControlUpdate.
void showBillboard(DWORD index);
void showBorder(DWORD index);
// The four ground coordinates alone, for Add Border, which keeps the heights
// the panel showed.
void showBorderGroundPoints(DWORD index);
void showMesh(DWORD index);
// The start texts, for each panel whose array has no record to show.
void showEmptyPanels();

BOOL newCommand(HWND dialog, int controlId, WORD notification);
BOOL loadCommand(HWND dialog, int controlId, WORD notification);
BOOL saveCommand(HWND dialog, int controlId, WORD notification);

// Loads the track the program was started with, as Load would; an empty line
// does nothing. True when a track was loaded.
bool loadTrackFromCommandLine(HWND dialog, const char* commandLine);

// Asks whether to save a changed track before it is replaced or the program
// ends. True when the caller may go on.
bool confirmDiscardChanges(HWND dialog);

#endif
