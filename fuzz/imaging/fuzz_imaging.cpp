// decodeImage on any bytes: an image whose texels fill exactly its size, or
// a reason, never a crash, an overrun or an allocation the bytes cannot back.
#include <cstdlib>

#include "image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    imaging::DecodedImage image;
    const char* reason = imaging::decodeImage(data, size, &image);
    if (reason) {
        if (!image.rgba.empty()) std::abort();
        return 0;
    }
    const size_t texels = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
    if (image.width <= 0 || image.height <= 0 || image.rgba.size() != texels * 4) std::abort();
    if (!image.hasAlpha)
        for (size_t i = 3; i < image.rgba.size(); i += 4)
            if (image.rgba[i] != 255) std::abort();
    return 0;
}
