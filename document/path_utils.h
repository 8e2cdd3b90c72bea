// Folder of a path chosen in a file dialog, which the editor joins with
// stored file names as "%s\%s", and the check that a stored name stays in
// that folder.
#ifndef KELVANE_DOCUMENT_PATH_UTILS_H
#define KELVANE_DOCUMENT_PATH_UTILS_H

#include <cstddef>

// Writes the part of fullPath before its last component fileTitle (as the
// file dialogs return it), without the trailing separator, into out, which
// holds outSize bytes. Returns out; when the folder does not fit, out holds an
// empty string and the result is null. Nothing is written past outSize.
char* directoryOfPath(char* out, size_t outSize, const char* fullPath, const char* fileTitle);

// Whether a file name stored in a track (maps, meshes) or in a .x file (its
// textures) names a file inside the folder it is looked up in: not empty, not
// absolute, no drive or stream colon, no component that climbs out ("..", and
// the all-dot names Windows trims to it). Subfolders are fine. Only the first
// `length` bytes are read; a NUL ends the name sooner. On refusal, *reason
// (when given) gets a short text such as "absolute name".
bool nameStaysInFolder(const char* name, size_t length, const char** reason = nullptr);

#endif
