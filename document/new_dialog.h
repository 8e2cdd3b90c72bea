// The modal "New" dialog: asks for the grid size and the record counts and
// creates the track when the user confirms.
#ifndef KELVANE_DOCUMENT_NEW_DIALOG_H
#define KELVANE_DOCUMENT_NEW_DIALOG_H

#include <windows.h>

#include <cstddef>

// 0 while the dialog is open, 1 once OK created a track. The dialog always
// ends with 0, so callers read this instead of its result.
extern int trackCreated;

struct NewTrackSize {
    DWORD sizeX, sizeY, maps, billboards, borders, meshes;
};

// Empty when the track can be built, else the limit it breaks, as a sentence
// for the user.
void newTrackRefusal(const NewTrackSize& size, char* out, size_t outSize);

INT_PTR CALLBACK NewDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
