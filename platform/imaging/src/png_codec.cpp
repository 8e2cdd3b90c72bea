// PNG through libpng: every bit depth and colour type, palettes, tRNS and
// Adam7 interlace, 16-bit samples scaled to 8. Gamma and colour chunks are not
// applied: a texture holds the stored values, as D3DX makes it. Damaged
// checksums, truncated data and a missing end chunk fail.
#include <png.h>

#include <cstring>
#include <vector>

#include "image_formats.h"

namespace imaging {
namespace {

struct PngSource {
    const uint8_t* bytes;
    size_t size;
    size_t at;
    const char* reason;
};

void readBytes(png_structp png, png_bytep out, png_size_t length) {
    auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > src->size - src->at) png_error(png, "PNG data cut short");
    std::memcpy(out, src->bytes + src->at, length);
    src->at += length;
}

void onError(png_structp png, png_const_charp message) {
    auto* src = static_cast<PngSource*>(png_get_error_ptr(png));
    // libpng's messages are static or live in the png struct; keep a fixed one.
    src->reason = std::strstr(message, "cut short") ? "PNG data cut short"
                  : std::strstr(message, "CRC")     ? "PNG checksum error"
                                                    : "damaged PNG data";
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// Compressed bytes of all IDAT chunks, or -1 when a chunk runs past the file.
int64_t imageDataBytes(const uint8_t* b, size_t size) {
    int64_t total = 0;
    for (size_t at = 8; at + 8 <= size;) {
        const uint64_t length =
            static_cast<uint64_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
        if (length + 12 > size - at) return -1;
        if (std::memcmp(b + at + 4, "IDAT", 4) == 0) total += static_cast<int64_t>(length);
        if (std::memcmp(b + at + 4, "IEND", 4) == 0) return total;
        at += 12 + length;
    }
    return -1;
}

// Asks libpng for 8-bit RGBA whatever the file stores.
void requestRgba(png_structp png, png_infop info, DecodedImage* image) {
    const int type = png_get_color_type(png, info);
    image->hasAlpha = (type & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_expand(png);  // palette to RGB, low grey depths to 8, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    if (!image->hasAlpha) png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// The reading itself, where libpng may jump back to on an error: every object
// with a destructor lives in the caller, so the jump skips none.
const char* readImage(png_structp png, png_infop info, uint64_t compressed,
                      std::vector<png_bytep>* rows, DecodedImage* image) {
    if (setjmp(png_jmpbuf(png))) return "damaged PNG data";
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!sizeAccepted(width, height)) return "PNG size out of range";
    const uint64_t rawRow =
        (uint64_t(width) * png_get_channels(png, info) * png_get_bit_depth(png, info) + 7) / 8 + 1;
    // Deflate packs at most 1032 bytes into one: more rows than that cannot be there.
    if (rawRow * height > compressed * 1032 + 1032) return "PNG data cut short";
    requestRgba(png, info, image);
    allocateImage(static_cast<int>(width), static_cast<int>(height), image);
    rows->resize(height);
    for (png_uint_32 y = 0; y < height; ++y) (*rows)[y] = &image->rgba[size_t(y) * width * 4];
    png_read_image(png, rows->data());
    png_read_end(png, nullptr);
    return nullptr;
}

}  // namespace

const char* decodePng(const uint8_t* bytes, size_t size, DecodedImage* image) {
    const int64_t compressed = imageDataBytes(bytes, size);
    if (compressed < 0) return "PNG data cut short";
    PngSource src{bytes, size, 0, nullptr};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &src, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info) png_set_read_fn(png, &src, readBytes);
    std::vector<png_bytep> rows;
    const char* reason = info
                             ? readImage(png, info, static_cast<uint64_t>(compressed), &rows, image)
                             : "out of memory";
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (reason && src.reason) return src.reason;
    return reason;
}

}  // namespace imaging
