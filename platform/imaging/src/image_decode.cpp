// Which decoder reads a file: by its signature, with TGA (which has none)
// tried last.
#include "image_decode.h"

#include <cstring>

#include "image_formats.h"

namespace imaging {
namespace {

bool startsWith(const uint8_t* bytes, size_t size, const char* magic, size_t length) {
    return size >= length && std::memcmp(bytes, magic, length) == 0;
}

bool isJpeg(const uint8_t* b, size_t size) {
    return size >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF;
}

bool isTiff(const uint8_t* b, size_t size) {
    return startsWith(b, size, "II\x2A\0", 4) || startsWith(b, size, "MM\0\x2A", 4);
}

}  // namespace

const char* decodeImage(const uint8_t* bytes, size_t size, DecodedImage* image) {
    if (!bytes || size == 0) return "empty file";
    DecodedImage decoded;
    const char* reason = "not an image file";
    if (startsWith(bytes, size, "BM", 2))
        reason = decodeBmp(bytes, size, &decoded);
    else if (startsWith(bytes, size, "\x89PNG\r\n\x1A\n", 8))
        reason = decodePng(bytes, size, &decoded);
    else if (isJpeg(bytes, size))
        reason = decodeJpeg(bytes, size, &decoded);
    else if (startsWith(bytes, size, "GIF87a", 6) || startsWith(bytes, size, "GIF89a", 6))
        reason = decodeGif(bytes, size, &decoded);
    else if (isTiff(bytes, size))
        reason = decodeTiff(bytes, size, &decoded);
    else if (startsWith(bytes, size, "DDS ", 4))
        reason = decodeDds(bytes, size, &decoded);
    else if (looksLikeTga(bytes, size))
        reason = decodeTga(bytes, size, &decoded);
    if (reason) return reason;
    // Opaque means opaque, whatever a reader left in the alpha bytes.
    if (!decoded.hasAlpha)
        for (size_t i = 3; i < decoded.rgba.size(); i += 4) decoded.rgba[i] = 255;
    *image = std::move(decoded);
    return nullptr;
}

}  // namespace imaging
