// Writing a presented frame as a PNG file, for the scripted user's snapshot.
#ifndef KELVANE_WIN32_PNG_SNAPSHOT_H
#define KELVANE_WIN32_PNG_SNAPSHOT_H

#include <cstdint>
#include <string>
#include <vector>

namespace win32 {

// rgba: width * height texels, rows top-down. False when the file cannot be written.
bool writePngSnapshot(const std::string& path, int width, int height,
                      const std::vector<uint8_t>& rgba);

}  // namespace win32

#endif
