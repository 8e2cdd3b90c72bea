// The decoders behind decodeImage, one per file format, and what they share:
// little-endian reads and the size checks made before anything is allocated.
#ifndef KELVANE_IMAGING_IMAGE_FORMATS_H
#define KELVANE_IMAGING_IMAGE_FORMATS_H

#include <cstddef>
#include <cstdint>

#include "image_decode.h"

namespace imaging {

const char* decodeBmp(const uint8_t* bytes, size_t size, DecodedImage* image);
const char* decodeTga(const uint8_t* bytes, size_t size, DecodedImage* image);
const char* decodeDds(const uint8_t* bytes, size_t size, DecodedImage* image);
const char* decodePng(const uint8_t* bytes, size_t size, DecodedImage* image);
const char* decodeJpeg(const uint8_t* bytes, size_t size, DecodedImage* image);
const char* decodeGif(const uint8_t* bytes, size_t size, DecodedImage* image);
const char* decodeTiff(const uint8_t* bytes, size_t size, DecodedImage* image);

bool looksLikeTga(const uint8_t* bytes, size_t size);

inline uint16_t read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint32_t read32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Where a colour mask starts and how many bits it has.
inline int lowestBit(uint32_t mask) {
    int shift = 0;
    while (shift < 32 && !(mask >> shift & 1)) ++shift;
    return shift;
}
inline int bitCount(uint32_t mask) {
    int count = 0;
    for (; mask; mask &= mask - 1) ++count;
    return count;
}

// Whether a width x height image is within the decoder's limits.
inline bool sizeAccepted(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= kMaxImagePixels;
}

// Sets the image's size and makes room for its texels, all opaque black.
inline void allocateImage(int width, int height, DecodedImage* image) {
    image->width = width;
    image->height = height;
    image->rgba.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    for (size_t i = 3; i < image->rgba.size(); i += 4) image->rgba[i] = 255;
}

// Widens a value of the given bit count to 0..255 by repeating its bits
// (5-bit 31 gives 255, 4-bit 8 gives 136); wider values keep their top 8 bits.
inline uint8_t scaleBits(uint32_t value, int bits) {
    if (bits <= 0) return 0;
    if (bits >= 8) return static_cast<uint8_t>(value >> (bits - 8));
    uint32_t out = 0;
    for (int at = 8 - bits;; at -= bits) {
        out |= at >= 0 ? value << at : value >> -at;
        if (at <= 0) break;
    }
    return static_cast<uint8_t>(out);
}

}  // namespace imaging

#endif
