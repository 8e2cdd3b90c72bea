// Windows path text to host path text, shared by every part of the layer that
// opens files (the file functions, the image and mesh loaders).
#ifndef KELVANE_PLATFORM_HOST_PATH_H
#define KELVANE_PLATFORM_HOST_PATH_H

#include <string>

namespace platform {

// The programs join folders and names with a backslash ("%s\%s"), as Windows
// does; the host separates with '/'. Every backslash becomes a slash, and
// trailing blanks and dots of the last component go, as on Windows.
std::string hostPath(const char* windowsPath);

}  // namespace platform

#endif
