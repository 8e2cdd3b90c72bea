// BMP files: core (OS/2 1.x), info, OS/2 2.x and V2-V5 headers; 1, 4 and 8-bit
// palette images, RLE8 and RLE4; 16, 24 and 32-bit colour with default or
// BITFIELDS masks; bottom-up and top-down rows. As D3DX reads them, a 32-bit
// image without an alpha mask is opaque (X8R8G8B8). JPEG and PNG payloads,
// OS/2 Huffman and RLE24 are refused.
#include <cstring>
#include <vector>

#include "image_formats.h"

namespace imaging {
namespace {

enum { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6 };

struct BmpHeader {
    uint32_t headerSize = 0, dataOffset = 0, compression = kRgb, colorsUsed = 0;
    int32_t width = 0, height = 0;
    int bits = 0;
    bool topDown = false;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    size_t paletteAt = 0, paletteEntrySize = 4;
};

// Reads the masks a header carries or implies.
void readMasks(const uint8_t* b, size_t size, BmpHeader* h) {
    if (h->compression == kBitfields || h->compression == kAlphaBitfields) {
        const size_t at = 14 + 40;
        const int count = h->compression == kAlphaBitfields || h->headerSize >= 56 ? 4 : 3;
        if (at + count * 4 <= size)
            for (int i = 0; i < count; ++i) h->masks[i] = read32(b + at + i * 4);
        if (h->headerSize == 40) h->paletteAt += count * 4;
    } else if (h->bits == 16) {
        const uint32_t defaults[4] = {0x7C00, 0x03E0, 0x001F, 0};
        std::memcpy(h->masks, defaults, sizeof defaults);
    } else if (h->bits == 32) {
        const uint32_t defaults[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0};
        std::memcpy(h->masks, defaults, sizeof defaults);
    }
}

const char* readHeader(const uint8_t* b, size_t size, BmpHeader* h) {
    if (size < 14 + 12) return "BMP header cut short";
    h->dataOffset = read32(b + 10);
    h->headerSize = read32(b + 14);
    if (h->headerSize == 12) {
        h->width = read16(b + 18);
        h->height = static_cast<int16_t>(read16(b + 20));
        h->bits = read16(b + 24);
        h->paletteEntrySize = 3;
    } else {
        const uint32_t s = h->headerSize;
        if (s != 16 && s != 40 && s != 52 && s != 56 && s != 64 && s != 108 && s != 124)
            return "unknown BMP header size";
        if (size < 14 + static_cast<size_t>(s) || size < 14 + 40) return "BMP header cut short";
        h->width = static_cast<int32_t>(read32(b + 18));
        h->height = static_cast<int32_t>(read32(b + 22));
        h->bits = read16(b + 28);
        h->compression = s == 16 ? uint32_t(kRgb) : read32(b + 30);
        h->colorsUsed = s == 16 ? 0 : read32(b + 46);
        if (s == 64 && (h->compression == 3 || h->compression == 4))
            return "OS/2 Huffman and RLE24 BMPs are not read";
    }
    h->paletteAt = 14 + h->headerSize;
    readMasks(b, size, h);
    h->topDown = h->height < 0;
    if (h->height == INT32_MIN) return "BMP size out of range";
    if (h->topDown) h->height = -h->height;
    return nullptr;
}

const char* checkFormat(const BmpHeader& h) {
    const int bits = h.bits;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return "unsupported BMP bit depth";
    switch (h.compression) {
        case kRgb:
            return nullptr;
        case kRle8:
            return bits == 8 ? (h.topDown ? "top-down RLE BMP" : nullptr) : "RLE8 needs 8 bits";
        case kRle4:
            return bits == 4 ? (h.topDown ? "top-down RLE BMP" : nullptr) : "RLE4 needs 4 bits";
        case kBitfields:
        case kAlphaBitfields:
            return bits == 16 || bits == 32 ? nullptr : "BITFIELDS needs 16 or 32 bits";
        default:
            return "unsupported BMP compression (JPEG, PNG or unknown)";
    }
}

// The palette as RGBA, from the entries between the headers and the pixels.
const char* readPalette(const uint8_t* b, size_t size, const BmpHeader& h,
                        std::vector<uint8_t>* palette) {
    if (h.bits > 8) return nullptr;
    const uint32_t most = 1u << h.bits;
    const uint32_t count = h.colorsUsed == 0 ? most : h.colorsUsed;
    if (count > most) return "BMP palette larger than its bit depth allows";
    const size_t end = h.paletteAt + count * h.paletteEntrySize;
    if (end > size || end > h.dataOffset) return "BMP palette cut short";
    palette->resize(count * 4);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = b + h.paletteAt + i * h.paletteEntrySize;
        uint8_t* out = &(*palette)[i * 4];
        out[0] = e[2];
        out[1] = e[1];
        out[2] = e[0];
        out[3] = 255;
    }
    return nullptr;
}

// Writes RLE output a pixel at a time, clipping runs at the row's end.
struct RleCursor {
    const BmpHeader& h;
    std::vector<uint8_t>* out;
    int64_t x = 0, y = 0;
    void put(uint8_t index) {
        if (x < h.width && y < h.height && out)
            (*out)[static_cast<size_t>(h.height - 1 - y) * h.width + x] = index;
        ++x;
    }
    bool done() const { return y >= h.height; }
};

// Decodes the run-length data; with no output it only checks that the data
// holds a whole image, so a damaged file is refused before allocating.
const char* runLengthDecode(const uint8_t* data, size_t size, const BmpHeader& h,
                            std::vector<uint8_t>* indices) {
    RleCursor at{h, indices};
    const bool four = h.compression == kRle4;
    size_t i = 0;
    while (!at.done()) {
        if (i + 2 > size) return "BMP RLE data cut short";
        const uint8_t count = data[i], value = data[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                at.put(four ? (k % 2 ? value & 15 : value >> 4) : value);
        } else if (value == 0) {
            at.x = 0;
            ++at.y;
        } else if (value == 1) {
            return nullptr;
        } else if (value == 2) {
            if (i + 2 > size) return "BMP RLE data cut short";
            at.x += data[i];
            at.y += data[i + 1];
            i += 2;
        } else {
            const size_t length = four ? (value + 1) / 2 : value;
            if (i + length > size) return "BMP RLE data cut short";
            for (int k = 0; k < value; ++k)
                at.put(four ? (k % 2 ? data[i + k / 2] & 15 : data[i + k / 2] >> 4) : data[i + k]);
            i += (length + 1) & ~size_t(1);
        }
    }
    return nullptr;
}

const char* paletteToRgba(const std::vector<uint8_t>& indices, const std::vector<uint8_t>& palette,
                          DecodedImage* image) {
    const size_t entries = palette.size() / 4;
    for (size_t p = 0; p < indices.size(); ++p) {
        if (indices[p] >= entries) return "BMP pixel index beyond the palette";
        std::memcpy(&image->rgba[p * 4], &palette[indices[p] * 4], 4);
    }
    return nullptr;
}

// One row of 16 or 32-bit pixels through the masks.
void maskedRow(const uint8_t* row, const BmpHeader& h, uint8_t* out) {
    int shift[4], bits[4];
    for (int c = 0; c < 4; ++c) {
        shift[c] = lowestBit(h.masks[c]);
        bits[c] = bitCount(h.masks[c]);
    }
    for (int32_t x = 0; x < h.width; ++x, out += 4) {
        const uint32_t v = h.bits == 16 ? read16(row + x * 2) : read32(row + x * 4);
        for (int c = 0; c < 4; ++c)
            if (h.masks[c]) out[c] = scaleBits((v & h.masks[c]) >> shift[c], bits[c]);
    }
}

void bgrRow(const uint8_t* row, int32_t width, uint8_t* out) {
    for (int32_t x = 0; x < width; ++x, out += 4, row += 3) {
        out[0] = row[2];
        out[1] = row[1];
        out[2] = row[0];
    }
}

void paletteRow(const uint8_t* row, const BmpHeader& h, uint8_t* indices) {
    const int perByte = 8 / h.bits;
    for (int32_t x = 0; x < h.width; ++x) {
        const int shift = 8 - h.bits * (x % perByte + 1);
        indices[x] = static_cast<uint8_t>(row[x / perByte] >> shift & ((1 << h.bits) - 1));
    }
}

const char* decodeUncompressed(const uint8_t* b, size_t size, const BmpHeader& h,
                               const std::vector<uint8_t>& palette, DecodedImage* image) {
    const uint64_t rowBits = static_cast<uint64_t>(h.width) * h.bits;
    const uint64_t stride = (rowBits + 31) / 32 * 4;
    // The last row's padding may be missing; its pixels may not.
    const uint64_t needed = stride * (h.height - 1) + (rowBits + 7) / 8;
    if (needed > size - h.dataOffset) return "BMP pixel data cut short";
    allocateImage(h.width, h.height, image);
    image->hasAlpha = h.bits >= 16 && h.masks[3] != 0;
    std::vector<uint8_t> indices(h.bits <= 8 ? static_cast<size_t>(h.width) * h.height : 0);
    for (int32_t y = 0; y < h.height; ++y) {
        const uint8_t* row = b + h.dataOffset + stride * y;
        const int32_t outY = h.topDown ? y : h.height - 1 - y;
        uint8_t* out = &image->rgba[static_cast<size_t>(outY) * h.width * 4];
        if (h.bits <= 8)
            paletteRow(row, h, &indices[static_cast<size_t>(outY) * h.width]);
        else if (h.bits == 24)
            bgrRow(row, h.width, out);
        else
            maskedRow(row, h, out);
    }
    return h.bits <= 8 ? paletteToRgba(indices, palette, image) : nullptr;
}

}  // namespace

const char* decodeBmp(const uint8_t* bytes, size_t size, DecodedImage* image) {
    BmpHeader h;
    if (const char* reason = readHeader(bytes, size, &h)) return reason;
    if (const char* reason = checkFormat(h)) return reason;
    if (!sizeAccepted(h.width, h.height)) return "BMP size out of range";
    if (h.dataOffset >= size) return "BMP pixel data missing";
    std::vector<uint8_t> palette;
    if (const char* reason = readPalette(bytes, size, h, &palette)) return reason;
    if (h.compression != kRle8 && h.compression != kRle4)
        return decodeUncompressed(bytes, size, h, palette, image);
    const uint8_t* data = bytes + h.dataOffset;
    if (const char* reason = runLengthDecode(data, size - h.dataOffset, h, nullptr)) return reason;
    std::vector<uint8_t> indices(static_cast<size_t>(h.width) * h.height, 0);
    runLengthDecode(data, size - h.dataOffset, h, &indices);
    allocateImage(h.width, h.height, image);
    return paletteToRgba(indices, palette, image);
}

}  // namespace imaging
