// What the file functions share inside the layer: the errno to Win32 error
// mapping, the live handles' hold on a file, and the read-only attribute.
#ifndef KELVANE_WIN32_FILE_INTERNAL_H
#define KELVANE_WIN32_FILE_INTERNAL_H

#include <windows.h>

#include <sys/stat.h>

#include <string>

namespace win32 {
namespace file {

DWORD errorFromErrno(int error);

// ENOENT for a path whose folder is missing is ERROR_PATH_NOT_FOUND on Windows.
DWORD notFoundError(const std::string& hostPath);

// True while some handle of this process holds the file without letting it be
// deleted or replaced.
bool heldAgainstDelete(const std::string& hostPath);

// Windows' read-only attribute, which binds administrators too: a file that
// nobody may write (no write bit at all).
inline bool readOnlyAttribute(const struct stat& st) {
    return S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

// Makes a rename or a new name in the folder of hostPath durable.
void flushFolderOf(const std::string& hostPath);

}  // namespace file
}  // namespace win32

#endif
