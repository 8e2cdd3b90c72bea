// After the 16-byte header: the unpacked size of the whole file (header
// included) as a 32-bit word, then blocks of: unpacked size (16 bits),
// packed size with the signature (16 bits), "CK", raw deflate data.
#include "xfile_mszip.h"

#include <zlib.h>

#include <cstring>

namespace platform {
namespace d3d9 {
namespace {

const size_t kWindow = 32768;

uint32_t word16(const uint8_t* p) {
    return p[0] | p[1] << 8;
}

// Inflates one block onto the end of out, the output so far as its history.
const char* inflateBlock(z_stream* z, const uint8_t* packed, size_t packedSize, size_t unpacked,
                         std::vector<uint8_t>* out) {
    if (inflateReset(z) != Z_OK) return "damaged compressed .x data";
    const size_t start = out->size();
    if (start > 0) {
        const size_t history = start < kWindow ? start : kWindow;
        if (inflateSetDictionary(z, out->data() + start - history, static_cast<uInt>(history)) !=
            Z_OK)
            return "damaged compressed .x data";
    }
    out->resize(start + unpacked);
    z->next_in = const_cast<Bytef*>(packed);
    z->avail_in = static_cast<uInt>(packedSize);
    z->next_out = out->data() + start;
    z->avail_out = static_cast<uInt>(unpacked);
    const int result = inflate(z, Z_FINISH);
    if (result != Z_STREAM_END || z->avail_out != 0) return "damaged compressed .x data";
    return nullptr;
}

const char* inflateBlocks(z_stream* z, const uint8_t* bytes, size_t size, size_t total,
                          std::vector<uint8_t>* out) {
    for (size_t at = 20; out->size() < total;) {
        if (size - at < 6) return "compressed .x data cut short";
        const size_t unpacked = word16(bytes + at), packed = word16(bytes + at + 2);
        if (packed < 2 || packed > size - at - 4) return "compressed .x data cut short";
        if (std::memcmp(bytes + at + 4, "CK", 2) != 0) return "damaged compressed .x block";
        if (unpacked > kWindow || unpacked > total - out->size())
            return "compressed .x block larger than the file";
        if (const char* reason = inflateBlock(z, bytes + at + 6, packed - 2, unpacked, out))
            return reason;
        at += 4 + packed;
    }
    return nullptr;
}

}  // namespace

bool isCompressedXFile(const uint8_t* bytes, size_t size) {
    return bytes && size >= 16 && std::memcmp(bytes, "xof ", 4) == 0 &&
           (std::memcmp(bytes + 8, "tzip", 4) == 0 || std::memcmp(bytes + 8, "bzip", 4) == 0);
}

const char* unpackXFile(const uint8_t* bytes, size_t size, std::vector<uint8_t>* plain) {
    if (!isCompressedXFile(bytes, size)) return "not a compressed .x file";
    if (size < 20) return "compressed .x data cut short";
    const uint64_t total =
        bytes[16] | bytes[17] << 8 | bytes[18] << 16 | static_cast<uint64_t>(bytes[19]) << 24;
    // Deflate packs at most 1032 bytes into one; a size past that is a lie.
    if (total < 16 || total > kMaxUnpackedXFile || total - 16 > (size - 20) * 1032)
        return "compressed .x size out of range";
    std::vector<uint8_t> out(bytes, bytes + 16);
    std::memcpy(out.data() + 8, bytes[8] == 't' ? "txt " : "bin ", 4);
    out.reserve(total);
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return "out of memory";
    const char* reason = inflateBlocks(&z, bytes, size, total, &out);
    inflateEnd(&z);
    if (reason) return reason;
    *plain = std::move(out);
    return nullptr;
}

}  // namespace d3d9
}  // namespace platform
