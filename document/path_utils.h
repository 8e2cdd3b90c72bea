// Folder of a path chosen in a file dialog; the editor joins it with stored
// file names as "%s\%s".
#ifndef KELVANE_DOCUMENT_PATH_UTILS_H
#define KELVANE_DOCUMENT_PATH_UTILS_H

#include <cstddef>

// Writes the part of fullPath before its last component fileTitle (as the
// file dialogs return it), without the trailing separator, into out, which
// holds outSize bytes. Returns out; when the folder does not fit, out holds an
// empty string and the result is null. Nothing is written past outSize.
char* directoryOfPath(char* out, size_t outSize, const char* fullPath, const char* fileTitle);

#endif
