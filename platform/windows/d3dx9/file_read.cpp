// Whole-file reads for the D3DX loaders through the Windows file functions,
// which take the program's paths as they are.
#include <windows.h>

#include <algorithm>

#include "file_bytes.h"

namespace platform {
namespace d3d9 {

bool readWholeFile(const char* windowsPath, size_t limit, std::vector<uint8_t>* bytes) {
    HANDLE file = CreateFileA(windowsPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
              static_cast<unsigned long long>(size.QuadPart) <= limit;
    if (ok) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (ok && done < bytes->size()) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes->size() - done, 1u << 30));
            ok = ReadFile(file, bytes->data() + done, want, &got, nullptr) && got > 0;
            done += got;
        }
    }
    CloseHandle(file);
    return ok;
}

}  // namespace d3d9
}  // namespace platform
