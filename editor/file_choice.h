// The file dialogs of the editor. They share one record (fileDialog), but
// each kind of file keeps its own last path: the track dialogs propose the
// track's own name and folder, the map and mesh Browse dialogs theirs, so a
// Save never proposes an image's or a mesh's name.
#ifndef KELVANE_EDITOR_FILE_CHOICE_H
#define KELVANE_EDITOR_FILE_CHOICE_H

#include "editor_state.h"

struct FileChoice {
    const char* filter;
    const char* defaultExtension;
    char lastPath[kEditorPathSize];
};

// Load and Save of the track share their memory: the track's own path.
extern FileChoice trackFiles;

// Runs the shared record for one kind of file, proposing its last path (or,
// before any, the track's folder); a Save asks before replacing a file. The
// answer lands in filePath and fileTitle. False when cancelled, or when the
// path is too long for them (said in a message box).
bool chooseFile(HWND dialog, FileChoice& choice, bool forSaving);

// The kind's next dialog starts from the path just chosen (filePath).
void rememberChoice(FileChoice& choice);

#endif
