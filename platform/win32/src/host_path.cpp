#include "platform/host_path.h"

namespace platform {

std::string hostPath(const char* windowsPath) {
    std::string path = windowsPath ? windowsPath : "";
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace platform
