// The editor's undo history: every command that changes the track runs as
// one step, and Undo and Redo put the track and every panel back. Code that
// changes the track outside a dialog command (painting in the Preview)
// brackets its changes with beginEditStep and endEditStep, so a whole
// stroke is one step.
#ifndef KELVANE_EDITOR_EDIT_HISTORY_H
#define KELVANE_EDITOR_EDIT_HISTORY_H

#include <windows.h>

#include <cstdint>

#include "command_table.h"

class TrackHistory;

// The history of the one track, listening to it from the first call on.
TrackHistory& editHistory();

// Steps nest; the outermost end closes one. A merge key other than 0 makes
// consecutive steps with that key one step (typing into one box).
void beginEditStep(const char* name, uint64_t mergeKey = 0);
// Tells the user when the change was too large for the history to keep;
// the serial of the step kept, or 0.
uint64_t endEditStep(HWND dialog);
void sealEditStep();

// A main-dialog command as one step: typing into a value box of the Sprites,
// Meshes or Borders panel merges until the box loses the focus.
BOOL runCommandStep(HWND dialog, int controlId, WORD notification, CommandHandler handler);

// Ctrl+Z and Ctrl+Y: the track, the panels, the selection and the Preview
// show the state before or after the step.
BOOL undoCommand(HWND dialog);
BOOL redoCommand(HWND dialog);

#endif
