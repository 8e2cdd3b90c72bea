#include "platform/host_path.h"

namespace platform {

namespace {

// Windows drops trailing blanks and dots of the last component ("trail.car "
// names trail.car); "." and ".." keep their meaning, and a name that is
// nothing but blanks and dots is left for the call to refuse.
void dropTrailingBlanksAndDots(std::string* path) {
    size_t start = path->find_last_of('/');
    start = start == std::string::npos ? 0 : start + 1;
    size_t end = path->find_last_not_of(". ");
    if (end == std::string::npos || end < start) return;
    path->erase(end + 1);
}

}  // namespace

std::string hostPath(const char* windowsPath) {
    std::string path = windowsPath ? windowsPath : "";
    for (char& c : path)
        if (c == '\\') c = '/';
    dropTrailingBlanksAndDots(&path);
    return path;
}

}  // namespace platform
