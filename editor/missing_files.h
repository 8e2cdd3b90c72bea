// The one message after Load or a Browse that names the files which could
// not be loaded and why; the track itself stays loaded and is drawn without
// them.
#ifndef KELVANE_EDITOR_MISSING_FILES_H
#define KELVANE_EDITOR_MISSING_FILES_H

#include <windows.h>

#include <cstddef>
#include <string>

#include "resource_report.h"

// The longest list a message shows; the rest are counted ("and N more").
const size_t kMissingFilesShown = 10;

// The message text: a line per file, "name: reason", at most
// kMissingFilesShown of them, then "and N more." for the rest.
std::string missingFilesText(const ResourceReport& report);

// Shows that message when the report names any file; nothing otherwise.
void reportMissingFiles(HWND dialog, const ResourceReport& report);

#endif
