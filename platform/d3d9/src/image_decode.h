// Decoding image files to RGBA for D3DXCreateTextureFromFileA: bmp, tga, jpg,
// gif and png through stb_image, tif through libtiff. Like stb_image, a
// failure comes back with a reason.
#ifndef KELVANE_D3D9_IMAGE_DECODE_H
#define KELVANE_D3D9_IMAGE_DECODE_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {
namespace d3d9 {

// Largest side accepted, the largest texture a Direct3D 9 device commonly takes.
const int kMaxImageSide = 8192;

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // rows top-down; alpha 255 where the file has none
};

// Null on success, else why the bytes are not an image the layer reads.
const char* decodeImage(const uint8_t* bytes, size_t size, DecodedImage* image);

}  // namespace d3d9
}  // namespace platform

#endif
