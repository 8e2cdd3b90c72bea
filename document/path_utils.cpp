#include "path_utils.h"

#include <cstring>

char* directoryOfPath(char* out, size_t outSize, const char* fullPath, const char* fileTitle) {
    if (!out || outSize == 0) return nullptr;
    out[0] = '\0';
    if (!fullPath || !fileTitle) return nullptr;
    size_t full = std::strlen(fullPath);
    size_t title = std::strlen(fileTitle);
    // A title as long as the whole path leaves no folder (and no separator).
    if (title >= full) return out;
    size_t length = full - title - 1;
    if (length >= outSize) return nullptr;
    std::memcpy(out, fullPath, length);
    out[length] = '\0';
    return out;
}

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

// A component of dots and blanks only, with two dots or more: Windows drops
// trailing dots and blanks, so "..." and ". ." mean "..".
bool climbsOut(const char* component, size_t length) {
    size_t dots = 0;
    for (size_t k = 0; k < length; ++k) {
        if (component[k] == '.') ++dots;
        else if (component[k] != ' ') return false;
    }
    return dots >= 2;
}

bool refuse(const char** reason, const char* text) {
    if (reason) *reason = text;
    return false;
}

}  // namespace

bool nameStaysInFolder(const char* name, size_t length, const char** reason) {
    if (!name) return refuse(reason, "no name");
    const void* end = std::memchr(name, '\0', length);
    if (end) length = size_t(static_cast<const char*>(end) - name);
    if (length == 0) return refuse(reason, "empty name");
    if (isSeparator(name[0])) return refuse(reason, "absolute name");
    if (std::memchr(name, ':', length)) return refuse(reason, "drive or stream name");
    size_t start = 0;
    for (size_t k = 0; k <= length; ++k) {
        if (k < length && !isSeparator(name[k])) continue;
        if (climbsOut(name + start, k - start)) return refuse(reason, "name climbs out of its folder");
        start = k + 1;
    }
    if (reason) *reason = nullptr;
    return true;
}
