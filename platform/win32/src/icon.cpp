// .ico decoding for the window back ends that show icons. Only uncompressed
// 24- and 32-bit bitmap images are read (what the programs' icons are);
// PNG-compressed and palette images are refused with a reason.
#include "icon.h"

#include <string.h>

namespace win32 {
namespace {

uint32_t read32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t read16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

bool fail(std::string* reason, const char* text) {
    if (reason) *reason = text;
    return false;
}

// The image of one directory entry: a BITMAPINFOHEADER, the colour rows
// bottom-up, then the AND mask (ignored when there is alpha).
bool decodeBitmap(const unsigned char* image, size_t size, Icon* icon, std::string* reason) {
    if (size < 40 || read32(image) < 40) return fail(reason, "image header is cut short");
    int32_t width = static_cast<int32_t>(read32(image + 4));
    int32_t doubledHeight = static_cast<int32_t>(read32(image + 8));
    uint16_t bits = read16(image + 14);
    uint32_t compression = read32(image + 16);
    if (width <= 0 || width > 256 || doubledHeight <= 0 || doubledHeight > 512)
        return fail(reason, "image size out of range");
    if (compression != 0 || (bits != 32 && bits != 24))
        return fail(reason, "only 24- and 32-bit bitmaps are read");
    int height = doubledHeight / 2;
    size_t stride = ((static_cast<size_t>(width) * bits / 8) + 3) & ~static_cast<size_t>(3);
    size_t offset = read32(image);
    if (offset > size || (size - offset) / stride < static_cast<size_t>(height))
        return fail(reason, "pixel rows are cut short");
    icon->width = width;
    icon->height = height;
    icon->rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = image + offset + stride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const unsigned char* px = row + static_cast<size_t>(x) * bits / 8;
            unsigned char* out = &icon->rgba[(static_cast<size_t>(y) * width + x) * 4];
            out[0] = px[2];
            out[1] = px[1];
            out[2] = px[0];
            out[3] = bits == 32 ? px[3] : 255;
        }
    }
    return true;
}

}  // namespace

bool decodeIcon(const unsigned char* bytes, size_t size, Icon* icon, std::string* reason) {
    icon->width = icon->height = 0;
    icon->rgba.clear();
    if (!bytes || size < 6 || read16(bytes) != 0 || read16(bytes + 2) != 1)
        return fail(reason, "not an icon file");
    if (read16(bytes + 4) == 0 || size < 6 + 16) return fail(reason, "icon file has no image");
    const unsigned char* entry = bytes + 6;
    uint32_t imageSize = read32(entry + 8);
    uint32_t imageOffset = read32(entry + 12);
    if (imageOffset > size || imageSize > size - imageOffset)
        return fail(reason, "image lies outside the file");
    const unsigned char* image = bytes + imageOffset;
    if (imageSize >= 8 && memcmp(image, "\x89PNG", 4) == 0)
        return fail(reason, "PNG images are not read");
    return decodeBitmap(image, imageSize, icon, reason);
}

const Icon* iconFromHandle(HICON handle) {
    return reinterpret_cast<const Icon*>(handle);
}

}  // namespace win32
