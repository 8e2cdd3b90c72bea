// TIFF through libtiff's RGBA reader: strips and tiles, 1 to 16-bit samples,
// grey, palette, RGB, 8-bit CMYK, YCbCr and the compressions libtiff was built
// with, alpha associated or not. A strip or tile that cannot be read fails the
// whole image instead of leaving a hole.
#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <vector>

#include "image_formats.h"
#include "tiff_samples.h"

namespace imaging {
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

bool hasAlphaSamples(TIFF* tiff) {
    uint16_t count = 0;
    uint16_t* kinds = nullptr;
    return TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &count, &kinds) == 1 && count > 0;
}

void undoPremultiply(uint8_t* rgba) {
    const int alpha = rgba[3];
    if (alpha == 0 || alpha == 255) return;
    for (int c = 0; c < 3; ++c)
        rgba[c] = static_cast<uint8_t>(std::min(255, (rgba[c] * 255 + alpha / 2) / alpha));
}

// libtiff reports through these per file. A tag it could not read past the
// end of the data is only a warning to it ("tag ignored"), but a palette
// image without its map turns grey: any such read marks the file cut short.
int onTiffError(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

int onTiffWarning(TIFF*, void* cutShort, const char*, const char* format, va_list) {
    if (std::strstr(format, "IO error")) *static_cast<bool*>(cutShort) = true;
    return 1;
}

// Whether the stored strips or tiles can hold the declared image: each must
// lie in the file, and no codec packs more than a few thousand bytes into one.
bool dataFits(TIFF* tiff, uint64_t fileSize, uint64_t width, uint64_t height) {
    uint16_t bits = 1, samples = 1;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    const uint64_t raw = (width * bits * samples + 7) / 8 * height;
    const uint32_t chunks = TIFFIsTiled(tiff) ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
    uint64_t stored = 0;
    for (uint32_t i = 0; i < chunks; ++i) {
        const uint64_t offset = TIFFGetStrileOffset(tiff, i);
        const uint64_t count = TIFFGetStrileByteCount(tiff, i);
        if (offset > fileSize || count > fileSize - offset) return false;
        stored += count;
    }
    uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    return compression == COMPRESSION_NONE ? stored >= raw : stored * 4096 + 4096 >= raw;
}

}  // namespace

const char* decodeTiff(const uint8_t* bytes, size_t size, DecodedImage* image) {
    MemoryFile file{bytes, size, 0};
    bool cutShort = false;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, onTiffError, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options, onTiffWarning, &cutShort);
    std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(
        TIFFClientOpenExt("image", "rm", &file, tiffRead, tiffWrite, tiffSeek, tiffClose, tiffSize,
                          tiffMap, tiffUnmap, options),
        TIFFClose);
    TIFFOpenOptionsFree(options);
    if (!tiff) return "damaged TIFF header";
    if (cutShort) return "TIFF data cut short";
    uint32_t width = 0, height = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    if (!sizeAccepted(width, height)) return "TIFF size out of range";
    if (!dataFits(tiff.get(), size, width, height)) return "TIFF data cut short";
    uint16_t photometric = 0;
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    // libtiff drops a colour map it cannot read and then shows grey.
    if (TIFFGetField(tiff.get(), TIFFTAG_PHOTOMETRIC, &photometric) &&
        photometric == PHOTOMETRIC_PALETTE &&
        !TIFFGetField(tiff.get(), TIFFTAG_COLORMAP, &red, &green, &blue))
        return "TIFF colour map missing";
    if (needsSampleReader(tiff.get())) return readTiffSamples(tiff.get(), width, height, image);
    char why[1024] = "";
    if (!TIFFRGBAImageOK(tiff.get(), why)) return "TIFF layout not read";
    std::vector<uint32_t> raster(static_cast<size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tiff.get(), width, height, raster.data(), ORIENTATION_TOPLEFT,
                                   1))
        return "damaged TIFF data";
    allocateImage(static_cast<int>(width), static_cast<int>(height), image);
    image->hasAlpha = hasAlphaSamples(tiff.get());
    for (size_t i = 0; i < raster.size(); ++i) {
        uint8_t* out = &image->rgba[i * 4];
        out[0] = static_cast<uint8_t>(TIFFGetR(raster[i]));
        out[1] = static_cast<uint8_t>(TIFFGetG(raster[i]));
        out[2] = static_cast<uint8_t>(TIFFGetB(raster[i]));
        out[3] = image->hasAlpha ? static_cast<uint8_t>(TIFFGetA(raster[i])) : 255;
        // libtiff's RGBA reader hands colour multiplied by alpha; a texture
        // keeps colour and alpha apart.
        if (image->hasAlpha) undoPremultiply(out);
    }
    return nullptr;
}

}  // namespace imaging
