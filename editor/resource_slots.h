// Which picture and model file each of the renderer's slots holds, so that
// after an undo or redo only a slot whose record now names another file is
// loaded again, from the full path it was first chosen at when known.
#ifndef KELVANE_EDITOR_RESOURCE_SLOTS_H
#define KELVANE_EDITOR_RESOURCE_SLOTS_H

#include <windows.h>

// A Browse loaded the file at this full path into the slot.
void notePictureSlot(DWORD slot, const char* path);
void noteModelSlot(DWORD slot, const char* path);

// Load filled every slot from the track's folder.
void noteTrackResources(const char* directory);

// Loads again the pictures of maps first..last and the models of placements
// first..last whose file name differs from what their slot holds.
void reloadChangedPictures(DWORD first, DWORD last);
void reloadChangedModels(DWORD first, DWORD last);

#endif
