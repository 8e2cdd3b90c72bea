// What the message box and the file dialogs share with the back ends.
#ifndef KELVANE_WIN32_COMMON_DIALOGS_H
#define KELVANE_WIN32_COMMON_DIALOGS_H

#include <windows.h>

#include <string>
#include <vector>

namespace win32 {

// The button ids of a message box type, left to right, and which is default.
std::vector<int> messageBoxButtons(UINT type);
int messageBoxDefaultButton(UINT type);
const char* buttonLabel(int id);

}  // namespace win32

#endif
