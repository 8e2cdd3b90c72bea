// Icon decoding on arbitrary .ico bytes.
#include <stddef.h>
#include <stdint.h>

#include "icon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    win32::Icon icon;
    std::string reason;
    if (win32::decodeIcon(data, size, &icon, &reason) &&
        icon.rgba.size() != static_cast<size_t>(icon.width) * icon.height * 4)
        __builtin_trap();
    return 0;
}
