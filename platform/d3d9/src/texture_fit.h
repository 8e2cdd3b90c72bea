// Bringing a decoded image down to the largest texture the device takes, as
// D3DX's texture-requirements check clamps the size and its default
// triangle filter then averages the image onto it.
#ifndef KELVANE_D3D9_TEXTURE_FIT_H
#define KELVANE_D3D9_TEXTURE_FIT_H

#include <cstdint>
#include <vector>

namespace platform {
namespace d3d9 {

// Each side clamped to maxSide on its own; texels averaged over the source
// area each one covers. Does nothing to an image that already fits.
void fitTextureSize(int maxSide, int* width, int* height, std::vector<uint8_t>* rgba);

}  // namespace d3d9
}  // namespace platform

#endif
