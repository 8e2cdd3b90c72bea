// Compressed .x files ("tzip" text and "bzip" binary): MSZIP blocks, each a
// "CK" signature and a deflate stream whose window carries on from the block
// before. Unpacked in front of the tokenizer, which then sees a plain file.
#ifndef KELVANE_D3D9_XFILE_MSZIP_H
#define KELVANE_D3D9_XFILE_MSZIP_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {
namespace d3d9 {

// Largest unpacked file accepted.
const size_t kMaxUnpackedXFile = 64u << 20;

bool isCompressedXFile(const uint8_t* bytes, size_t size);

// The plain file ("txt " or "bin " header, same version and float size);
// null on success, else why the compressed data is damaged.
const char* unpackXFile(const uint8_t* bytes, size_t size, std::vector<uint8_t>* plain);

}  // namespace d3d9
}  // namespace platform

#endif
