// How a WM_COMMAND of the main dialog reaches its handler: which
// notifications a control acts on, and whether the updatingControls guard
// mutes it.
#ifndef KELVANE_EDITOR_COMMAND_TABLE_H
#define KELVANE_EDITOR_COMMAND_TABLE_H

#include <windows.h>

typedef BOOL (*CommandHandler)(HWND dialog, int controlId, WORD notification);

enum class Guard {
    None,
    ReturnFalse,  // muted edit boxes and the Border Type list
    ReturnTrue,   // the muted "Face" button
};

struct Command {
    CommandHandler handler;  // null: the control has no command
    int onlyNotification;    // -1: acts on every notification
    Guard guard;
};

// The command of a control id; null outside the table.
const Command* findCommand(int controlId);

// Filter, guard, handler, in that order, as every command of the dialog runs.
BOOL dispatchCommand(HWND dialog, WPARAM wParam);

#endif
