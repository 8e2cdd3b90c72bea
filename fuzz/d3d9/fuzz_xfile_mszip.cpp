// The unpacking of compressed .x files on any bytes: a plain file no larger
// than the limit, or a reason, never a crash.
#include <cstdlib>
#include <cstring>

#include "xfile_mszip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> plain;
    const char* reason = platform::d3d9::unpackXFile(data, size, &plain);
    if (reason) {
        if (!plain.empty()) std::abort();
        return 0;
    }
    if (plain.size() < 16 || plain.size() > platform::d3d9::kMaxUnpackedXFile) std::abort();
    if (std::memcmp(plain.data() + 8, "txt ", 4) != 0 && std::memcmp(plain.data() + 8, "bin ", 4))
        std::abort();
    return 0;
}
