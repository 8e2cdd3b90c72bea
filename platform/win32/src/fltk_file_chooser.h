// The Open and Save dialogs on FLTK's native file chooser.
#ifndef KELVANE_WIN32_FLTK_FILE_CHOOSER_H
#define KELVANE_WIN32_FLTK_FILE_CHOOSER_H

#include <string>

#include "backend.h"

namespace win32 {

// Shows the chooser for the request; false when the user cancels.
bool runFltkFileChooser(const FileRequest& request, std::string* path);

}  // namespace win32

#endif
