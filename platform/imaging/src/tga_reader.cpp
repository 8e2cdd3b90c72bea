// TGA files: colour-mapped (8 or 16-bit indices into a 15/16/24/32-bit map
// that may start past index 0), true colour (15/16/24/32-bit) and grey
// (8-bit, or 16-bit grey with alpha), each raw or run-length encoded, in all
// four origins. 32-bit pixels keep their alpha, 16-bit ones when the header
// declares an attribute bit, as D3DX reads them.
#include <algorithm>
#include <cstring>
#include <vector>

#include "image_formats.h"

namespace imaging {
namespace {

enum { kMapped = 1, kTrueColour = 2, kGrey = 3, kRle = 8 };

struct TgaHeader {
    int idLength, mapType, type, mapFirst, mapLength, mapBits, width, height, bits, descriptor;
};

TgaHeader readHeader(const uint8_t* b) {
    return TgaHeader{b[0], b[1],           b[2],           read16(b + 3), read16(b + 5),
                     b[7], read16(b + 12), read16(b + 14), b[16],         b[17]};
}

bool pixelBitsFit(const TgaHeader& h) {
    switch (h.type & ~kRle) {
        case kMapped:
            return h.mapType == 1 && (h.bits == 8 || h.bits == 16);
        case kTrueColour:
            return h.bits == 15 || h.bits == 16 || h.bits == 24 || h.bits == 32;
        case kGrey:
            return h.bits == 8 || h.bits == 16;
        default:
            return false;
    }
}

bool mapBitsFit(int bits) {
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

// One pixel or map entry of 15, 16, 24 or 32 bits as RGBA.
void colourOf(const uint8_t* p, int bits, bool alphaBit, uint8_t* out) {
    if (bits == 15 || bits == 16) {
        const uint16_t v = read16(p);
        out[0] = scaleBits(v >> 10 & 31, 5);
        out[1] = scaleBits(v >> 5 & 31, 5);
        out[2] = scaleBits(v & 31, 5);
        out[3] = alphaBit && bits == 16 ? (v & 0x8000 ? 255 : 0) : 255;
        return;
    }
    out[0] = p[2];
    out[1] = p[1];
    out[2] = p[0];
    out[3] = bits == 32 ? p[3] : 255;
}

struct TgaPixels {
    const TgaHeader& h;
    const std::vector<uint8_t>& map;  // RGBA entries from mapFirst on
    bool alphaBit;
    // RGBA of one stored pixel; false for an index outside the map.
    bool convert(const uint8_t* p, uint8_t* out) const {
        if ((h.type & ~kRle) == kMapped) {
            const int index = (h.bits == 8 ? p[0] : read16(p)) - h.mapFirst;
            if (index < 0 || static_cast<size_t>(index) * 4 >= map.size()) return false;
            std::memcpy(out, &map[index * 4], 4);
        } else if ((h.type & ~kRle) == kGrey) {
            out[0] = out[1] = out[2] = p[0];
            out[3] = h.bits == 16 ? p[1] : 255;
        } else {
            colourOf(p, h.bits, alphaBit, out);
        }
        return true;
    }
};

// Places the n-th stored pixel at its place in the top-down image.
uint8_t* target(const TgaHeader& h, size_t n, DecodedImage* image) {
    size_t x = n % h.width, y = n / h.width;
    if (h.descriptor & 0x10) x = h.width - 1 - x;
    if (!(h.descriptor & 0x20)) y = h.height - 1 - y;
    return &image->rgba[(y * h.width + x) * 4];
}

const char* readRaw(const uint8_t* data, size_t size, const TgaPixels& px, DecodedImage* image) {
    const size_t step = (px.h.bits + 7) / 8;
    const size_t count = static_cast<size_t>(px.h.width) * px.h.height;
    if (count * step > size) return "TGA pixel data cut short";
    for (size_t n = 0; n < count; ++n)
        if (!px.convert(data + n * step, target(px.h, n, image)))
            return "TGA pixel index outside the colour map";
    return nullptr;
}

const char* readRunLength(const uint8_t* data, size_t size, const TgaPixels& px,
                          DecodedImage* image) {
    const size_t step = (px.h.bits + 7) / 8;
    const size_t count = static_cast<size_t>(px.h.width) * px.h.height;
    size_t at = 0;
    for (size_t n = 0; n < count;) {
        if (at >= size) return "TGA RLE data cut short";
        const uint8_t packet = data[at++];
        const size_t length = std::min<size_t>((packet & 0x7F) + 1, count - n);
        const size_t stored = packet & 0x80 ? 1 : length;
        if (stored * step > size - at) return "TGA RLE data cut short";
        for (size_t k = 0; k < length; ++k, ++n)
            if (!px.convert(data + at + (packet & 0x80 ? 0 : k * step), target(px.h, n, image)))
                return "TGA pixel index outside the colour map";
        at += stored * step;
    }
    return nullptr;
}

// The colour map's entries as RGBA, and the offset just past the map.
const char* readMap(const uint8_t* b, size_t size, const TgaHeader& h, std::vector<uint8_t>* map,
                    size_t* end) {
    const size_t at = 18 + h.idLength;
    const size_t step = h.mapType == 1 ? (h.mapBits + 7) / 8 : 0;
    *end = at + step * (h.mapType == 1 ? h.mapLength : 0);
    if (*end > size) return "TGA colour map cut short";
    if ((h.type & ~kRle) != kMapped) return nullptr;
    if (!mapBitsFit(h.mapBits)) return "unsupported TGA colour map entry size";
    map->resize(static_cast<size_t>(h.mapLength) * 4);
    for (int i = 0; i < h.mapLength; ++i)
        colourOf(b + at + i * step, h.mapBits, (h.descriptor & 15) != 0, &(*map)[i * 4]);
    return nullptr;
}

bool hasAlpha(const TgaHeader& h) {
    const int bits = (h.type & ~kRle) == kMapped ? h.mapBits : h.bits;
    if ((h.type & ~kRle) == kGrey) return h.bits == 16;
    return bits == 32 || (bits == 16 && (h.descriptor & 15) != 0);
}

}  // namespace

bool looksLikeTga(const uint8_t* b, size_t size) {
    if (size < 18) return false;
    const TgaHeader h = readHeader(b);
    const int kind = h.type & ~kRle;
    return (h.mapType == 0 || h.mapType == 1) && kind >= kMapped && kind <= kGrey &&
           (h.type & ~(kRle | 3)) == 0 && h.width > 0 && h.height > 0 && pixelBitsFit(h);
}

const char* decodeTga(const uint8_t* bytes, size_t size, DecodedImage* image) {
    if (!looksLikeTga(bytes, size)) return "not a TGA file";
    const TgaHeader h = readHeader(bytes);
    if (!sizeAccepted(h.width, h.height)) return "TGA size out of range";
    std::vector<uint8_t> map;
    size_t dataAt = 0;
    if (const char* reason = readMap(bytes, size, h, &map, &dataAt)) return reason;
    // The smallest encoding of the declared pixels must fit in the file
    // before any room is made for them.
    const uint64_t pixels = static_cast<uint64_t>(h.width) * h.height;
    const uint64_t step = (h.bits + 7) / 8;
    const uint64_t least = h.type & kRle ? (pixels + 127) / 128 * (1 + step) : pixels * step;
    if (least > size - dataAt) return "TGA pixel data cut short";
    allocateImage(h.width, h.height, image);
    image->hasAlpha = hasAlpha(h);
    const TgaPixels px{h, map, (h.descriptor & 15) != 0};
    return h.type & kRle ? readRunLength(bytes + dataAt, size - dataAt, px, image)
                         : readRaw(bytes + dataAt, size - dataAt, px, image);
}

}  // namespace imaging
