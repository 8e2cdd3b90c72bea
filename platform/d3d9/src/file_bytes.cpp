// readWholeFile: the D3DX loaders read their files through the KERNEL32 file
// functions, so a name reaches the same checks as every other open (plain
// files only: a FIFO, device or folder is refused at once, never waited on).
#include "file_bytes.h"

#include <windows.h>

namespace platform {
namespace d3d9 {

namespace {

bool readAll(HANDLE file, size_t size, std::vector<uint8_t>* bytes) {
    bytes->resize(size);
    size_t done = 0;
    while (done < size) {
        DWORD chunk = size - done > 0x40000000u ? 0x40000000u : DWORD(size - done);
        DWORD got = 0;
        if (!ReadFile(file, bytes->data() + done, chunk, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

}  // namespace

bool readWholeFile(const char* windowsPath, size_t limit, std::vector<uint8_t>* bytes) {
    HANDLE file = CreateFileA(windowsPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
              uint64_t(size.QuadPart) <= limit && readAll(file, size_t(size.QuadPart), bytes);
    CloseHandle(file);
    return ok;
}

}  // namespace d3d9
}  // namespace platform
