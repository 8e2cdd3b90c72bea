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
