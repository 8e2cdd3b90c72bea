// Whole-file reads for the D3DX loaders, which take Windows-style paths.
#ifndef KELVANE_D3D9_FILE_BYTES_H
#define KELVANE_D3D9_FILE_BYTES_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {
namespace d3d9 {

// The whole file, or false when it cannot be read or is larger than limit.
bool readWholeFile(const char* windowsPath, size_t limit, std::vector<uint8_t>* bytes);

}  // namespace d3d9
}  // namespace platform

#endif
