// Decoding image files to RGBA for D3DXCreateTextureFromFile: bmp, tga, dds,
// png, jpg, gif and tif, each as D3DX reads it. A failure comes back with a
// reason; nothing is allocated for a size the bytes cannot hold.
#ifndef KELVANE_IMAGING_IMAGE_DECODE_H
#define KELVANE_IMAGING_IMAGE_DECODE_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imaging {

// Largest side and largest texel count decoded. Larger than a device's
// texture side on purpose: D3DX brings a big image down to what the device
// takes instead of refusing it.
const int kMaxImageSide = 32768;
const uint64_t kMaxImagePixels = uint64_t(1) << 27;

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // rows top-down; alpha 255 where the file has none
    // The file carries an alpha channel (or transparent palette entries): D3DX
    // then makes an A8R8G8B8 texture, otherwise X8R8G8B8.
    bool hasAlpha = false;
};

// Null on success, else why the bytes are not an image that is read.
const char* decodeImage(const uint8_t* bytes, size_t size, DecodedImage* image);

}  // namespace imaging

#endif
