// DDS files: the top level of a 2D texture, block-compressed (DXT1 to DXT5)
// or uncompressed with RGB, luminance or alpha masks of 8 to 32 bits. Cube
// maps, volumes and the DX10 extension header are refused.
#include <cstring>
#include <vector>

#include "image_formats.h"

namespace imaging {
namespace {

enum : uint32_t {
    kAlphaPixels = 0x1,
    kAlphaOnly = 0x2,
    kFourCC = 0x4,
    kRgb = 0x40,
    kLuminance = 0x20000,
    kCubeMap = 0x200,
    kVolume = 0x200000
};

struct DdsHeader {
    uint32_t width, height, flags, fourCC, bits, masks[4], caps2;
};

uint32_t fourCC(const char* code) {
    return read32(reinterpret_cast<const uint8_t*>(code));
}

DdsHeader readHeader(const uint8_t* b) {
    DdsHeader h;
    h.height = read32(b + 12);
    h.width = read32(b + 16);
    h.flags = read32(b + 80);
    h.fourCC = read32(b + 84);
    h.bits = read32(b + 88);
    for (int i = 0; i < 4; ++i) h.masks[i] = read32(b + 92 + i * 4);
    h.caps2 = read32(b + 112);
    return h;
}

// A 5:6:5 colour as RGBA.
void expand565(uint16_t v, uint8_t* out) {
    out[0] = scaleBits(v >> 11, 5);
    out[1] = scaleBits(v >> 5 & 63, 6);
    out[2] = scaleBits(v & 31, 5);
    out[3] = 255;
}

// The colour half of a block: the 16 texels' RGBA. DXT1 blocks whose first
// colour is not greater than the second have a transparent fourth colour.
void colourBlock(const uint8_t* block, bool dxt1, uint8_t texels[16][4]) {
    const uint16_t c0 = read16(block), c1 = read16(block + 2);
    uint8_t colours[4][4];
    expand565(c0, colours[0]);
    expand565(c1, colours[1]);
    const bool four = !dxt1 || c0 > c1;
    for (int c = 0; c < 3; ++c) {
        const int a = colours[0][c], b = colours[1][c];
        colours[2][c] = static_cast<uint8_t>(four ? (2 * a + b) / 3 : (a + b) / 2);
        colours[3][c] = static_cast<uint8_t>(four ? (a + 2 * b) / 3 : 0);
    }
    colours[2][3] = 255;
    colours[3][3] = four ? 255 : 0;
    const uint32_t indices = read32(block + 4);
    for (int i = 0; i < 16; ++i) std::memcpy(texels[i], colours[indices >> (2 * i) & 3], 4);
}

// DXT5's alpha half: two end points and 3-bit indices.
void interpolatedAlpha(const uint8_t* block, uint8_t texels[16][4]) {
    const int a0 = block[0], a1 = block[1];
    int alphas[8] = {a0, a1};
    for (int i = 1; i < 7; ++i)
        alphas[i + 1] = a0 > a1 ? ((7 - i) * a0 + i * a1) / 7
                                : (i < 5 ? ((5 - i) * a0 + i * a1) / 5 : (i == 5 ? 0 : 255));
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i) bits |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
    for (int i = 0; i < 16; ++i) texels[i][3] = static_cast<uint8_t>(alphas[bits >> (3 * i) & 7]);
}

const char* decodeBlocks(const uint8_t* data, size_t size, const DdsHeader& h, int kind,
                         DecodedImage* image) {
    const size_t blockSize = kind == 1 ? 8 : 16;
    const size_t across = (h.width + 3) / 4, down = (h.height + 3) / 4;
    if (across * down * blockSize > size) return "DDS data cut short";
    allocateImage(h.width, h.height, image);
    image->hasAlpha = kind != 1;
    for (size_t by = 0; by < down; ++by)
        for (size_t bx = 0; bx < across; ++bx) {
            const uint8_t* block = data + (by * across + bx) * blockSize;
            uint8_t texels[16][4];
            colourBlock(block + (kind == 1 ? 0 : 8), kind == 1, texels);
            if (kind == 3)
                for (int i = 0; i < 16; ++i)
                    texels[i][3] = (block[i / 2] >> (4 * (i % 2)) & 15) * 17;
            if (kind == 5) interpolatedAlpha(block, texels);
            for (int i = 0; i < 16; ++i) {
                const size_t x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x >= h.width || y >= h.height) continue;
                std::memcpy(&image->rgba[(y * h.width + x) * 4], texels[i], 4);
                if (texels[i][3] != 255 && kind == 1) image->hasAlpha = true;
            }
        }
    return nullptr;
}

// One texel through the masks; luminance fills all three colours.
void maskedTexel(uint32_t v, const DdsHeader& h, const int* shift, const int* bits, uint8_t* out) {
    if (h.flags & kLuminance) {
        out[0] = out[1] = out[2] = scaleBits((v & h.masks[0]) >> shift[0], bits[0]);
    } else if (!(h.flags & kAlphaOnly)) {
        for (int c = 0; c < 3; ++c) out[c] = scaleBits((v & h.masks[c]) >> shift[c], bits[c]);
    }
    if (h.masks[3] && (h.flags & (kAlphaPixels | kAlphaOnly)))
        out[3] = scaleBits((v & h.masks[3]) >> shift[3], bits[3]);
}

const char* decodeMasked(const uint8_t* data, size_t size, const DdsHeader& h,
                         DecodedImage* image) {
    if (h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
        return "unsupported DDS bit depth";
    const size_t step = h.bits / 8;
    if (static_cast<uint64_t>(h.width) * h.height * step > size) return "DDS data cut short";
    allocateImage(h.width, h.height, image);
    image->hasAlpha = h.masks[3] != 0 && (h.flags & (kAlphaPixels | kAlphaOnly));
    int shift[4], bits[4];
    for (int c = 0; c < 4; ++c) {
        shift[c] = lowestBit(h.masks[c]);
        bits[c] = bitCount(h.masks[c]);
    }
    const size_t count = static_cast<size_t>(h.width) * h.height;
    for (size_t n = 0; n < count; ++n) {
        const uint8_t* p = data + n * step;
        uint32_t v = 0;
        for (size_t k = 0; k < step; ++k) v |= static_cast<uint32_t>(p[k]) << (8 * k);
        maskedTexel(v, h, shift, bits, &image->rgba[n * 4]);
    }
    return nullptr;
}

}  // namespace

const char* decodeDds(const uint8_t* bytes, size_t size, DecodedImage* image) {
    if (size < 128 || read32(bytes + 4) != 124) return "DDS header cut short";
    const DdsHeader h = readHeader(bytes);
    if (!sizeAccepted(h.width, h.height)) return "DDS size out of range";
    if (h.caps2 & (kCubeMap | kVolume)) return "DDS cube maps and volumes are not 2D textures";
    const uint8_t* data = bytes + 128;
    if (!(h.flags & kFourCC)) {
        if (!(h.flags & (kRgb | kLuminance | kAlphaOnly))) return "unknown DDS pixel format";
        return decodeMasked(data, size - 128, h, image);
    }
    const char* codes[] = {"DXT1", "DXT2", "DXT3", "DXT4", "DXT5"};
    const int kinds[] = {1, 3, 3, 5, 5};
    for (int i = 0; i < 5; ++i)
        if (h.fourCC == fourCC(codes[i])) return decodeBlocks(data, size - 128, h, kinds[i], image);
    return "unsupported DDS compression";
}

}  // namespace imaging
