// Image decoding over stb_image and libtiff, from memory so that damaged
// files never reach past their own bytes.
#include "image_decode.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 8192
#include <stb/stb_image.h>

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace platform {
namespace d3d9 {
namespace {

// libtiff reads through these from a block of memory.
struct MemoryFile {
    const uint8_t* bytes;
    toff_t size;
    toff_t position;
};

tsize_t tiffRead(thandle_t handle, tdata_t buffer, tsize_t size) {
    auto* file = static_cast<MemoryFile*>(handle);
    if (size < 0 || file->position >= file->size) return 0;
    const toff_t count = std::min<toff_t>(static_cast<toff_t>(size), file->size - file->position);
    std::memcpy(buffer, file->bytes + file->position, count);
    file->position += count;
    return static_cast<tsize_t>(count);
}

tsize_t tiffWrite(thandle_t, tdata_t, tsize_t) {
    return 0;
}

toff_t tiffSeek(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    toff_t base = whence == SEEK_CUR ? file->position : whence == SEEK_END ? file->size : 0;
    if (offset > UINT64_MAX - base) return static_cast<toff_t>(-1);
    file->position = base + offset;
    return file->position;
}

int tiffClose(thandle_t) {
    return 0;
}
toff_t tiffSize(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->size;
}
int tiffMap(thandle_t, tdata_t*, toff_t*) {
    return 0;
}
void tiffUnmap(thandle_t, tdata_t, toff_t) {}

bool isTiff(const uint8_t* b, size_t size) {
    return size >= 4 && ((b[0] == 'I' && b[1] == 'I' && b[2] == 42 && b[3] == 0) ||
                         (b[0] == 'M' && b[1] == 'M' && b[2] == 0 && b[3] == 42));
}

// libtiff's RGBA reader multiplies colour by an unassociated alpha; the
// texture must keep the colour the file stores.
bool hasUnassociatedAlpha(TIFF* tiff) {
    uint16_t count = 0;
    uint16_t* kinds = nullptr;
    return TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &count, &kinds) == 1 && count > 0 && kinds &&
           kinds[0] == EXTRASAMPLE_UNASSALPHA;
}

void undoPremultiply(uint8_t* rgba) {
    const int alpha = rgba[3];
    if (alpha == 0 || alpha == 255) return;
    for (int c = 0; c < 3; ++c)
        rgba[c] = static_cast<uint8_t>(std::min(255, (rgba[c] * 255 + alpha / 2) / alpha));
}

const char* decodeTiff(const uint8_t* bytes, size_t size, DecodedImage* image) {
    // libtiff reports through global handlers; the result says enough.
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    MemoryFile file{bytes, size, 0};
    std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(
        TIFFClientOpen("image", "rm", &file, tiffRead, tiffWrite, tiffSeek, tiffClose, tiffSize,
                       tiffMap, tiffUnmap),
        TIFFClose);
    if (!tiff) return "damaged tif header";
    uint32_t width = 0, height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide)
        return "tif size out of range";
    std::vector<uint32_t> raster(static_cast<size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(), ORIENTATION_TOPLEFT,
                                   0))
        return "damaged tif data";
    image->width = static_cast<int>(width);
    image->height = static_cast<int>(height);
    image->rgba.resize(raster.size() * 4);
    const bool unpremultiply = hasUnassociatedAlpha(tiff.get());
    for (size_t i = 0; i < raster.size(); ++i) {
        image->rgba[i * 4 + 0] = static_cast<uint8_t>(TIFFGetR(raster[i]));
        image->rgba[i * 4 + 1] = static_cast<uint8_t>(TIFFGetG(raster[i]));
        image->rgba[i * 4 + 2] = static_cast<uint8_t>(TIFFGetB(raster[i]));
        image->rgba[i * 4 + 3] = static_cast<uint8_t>(TIFFGetA(raster[i]));
        if (unpremultiply) undoPremultiply(&image->rgba[i * 4]);
    }
    return nullptr;
}

// Where a JPEG's segments begin, or 0 when the bytes are no JPEG. Like
// stb_image, fill bytes (0xFF) may precede the start-of-image marker.
size_t jpegSegmentsStart(const uint8_t* b, size_t size) {
    size_t at = 0;
    while (at < size && b[at] == 0xFF) ++at;
    return at > 0 && at < size && b[at] == 0xD8 ? at + 1 : 0;
}

// stb_image builds a Huffman table from a DHT segment's 16 code counts
// without checking that they add up to at most 256 symbols, and writes past
// the table when they do not. Such segments are refused before stb sees them.
bool huffmanTablesFit(const uint8_t* b, size_t size, size_t at) {
    while (at + 4 <= size) {
        const uint8_t marker = b[at + 1];
        if (b[at] != 0xFF || marker == 0xFF) {  // entropy-coded data or fill bytes
            ++at;
            continue;
        }
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9) break;
        const size_t length = static_cast<size_t>(b[at + 2] << 8 | b[at + 3]);
        const size_t end = std::min(size, at + 2 + length);
        for (size_t p = at + 4; marker == 0xC4 && p < end;) {
            if (end - p < 17) return false;
            size_t symbols = 0;
            for (int i = 1; i <= 16; ++i) symbols += b[p + i];
            if (symbols > 256) return false;
            p += 17 + symbols;
        }
        at += 2 + length;
    }
    return true;
}

// stb_image grows its buffer for a PNG's image data by the length a chunk
// claims before reading it, so one damaged length costs gigabytes. Every
// chunk must fit in the file.
bool pngChunksFit(const uint8_t* b, size_t size) {
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size < 8 || std::memcmp(b, kSignature, 8) != 0) return true;  // not a PNG
    for (size_t at = 8; at + 8 <= size;) {
        const uint64_t length =
            static_cast<uint64_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
        if (length + 12 > size - at) return false;
        if (std::memcmp(b + at + 4, "IEND", 4) == 0) break;
        at += 12 + length;
    }
    return true;
}

const char* decodeWithStb(const uint8_t* bytes, size_t size, DecodedImage* image) {
    if (size > static_cast<size_t>(INT32_MAX)) return "file too large";
    const size_t segments = jpegSegmentsStart(bytes, size);
    if (segments > 0 && !huffmanTablesFit(bytes, size, segments)) return "bad Huffman table";
    if (!pngChunksFit(bytes, size)) return "PNG chunk longer than the file";
    const int length = static_cast<int>(size);
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(bytes, length, &width, &height, &channels))
        return stbi_failure_reason();
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        return "image size out of range";
    // Asking for four channels makes stb fill alpha 255 where the file has none.
    stbi_uc* pixels = stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
    if (!pixels) return stbi_failure_reason();
    image->width = width;
    image->height = height;
    image->rgba.assign(pixels, pixels + static_cast<size_t>(width) * height * 4);
    stbi_image_free(pixels);
    return nullptr;
}

}  // namespace

const char* decodeImage(const uint8_t* bytes, size_t size, DecodedImage* image) {
    if (!bytes || size == 0) return "empty file";
    if (isTiff(bytes, size)) return decodeTiff(bytes, size, image);
    return decodeWithStb(bytes, size, image);
}

}  // namespace d3d9
}  // namespace platform
