// Replacing a file whole (tracks, and Dorvik's car files): the new content goes to a temporary file beside the
// target and is swapped in by the system's replace, so whatever fails leaves
// the old file as it was and no temporary file behind.
#ifndef KELVANE_DOCUMENT_FILE_REPLACE_H
#define KELVANE_DOCUMENT_FILE_REPLACE_H

#include <windows.h>

#include <string>

// Writes the whole new content to an open file; false when a write fails.
using WriteContent = bool (*)(HANDLE file, const void* context);

// ERROR_SUCCESS, or the system error that stopped the save (ERROR_DIRECTORY
// when the name is a folder). Links and the target's permissions are kept.
// kind ("trk", "car") names the program's temporary files.
DWORD replaceFileContents(const char* path, const char* kind, WriteContent write,
                          const void* context);

// The temporary name for a target: one per target, its length independent of
// the target name's, so a save interrupted by a crash leaves at most one,
// which the next save of that target removes.
std::string temporaryPathFor(const char* path, const char* kind);

// A few words for a system error, e.g. "access is denied".
std::string fileErrorText(DWORD error);

#endif
