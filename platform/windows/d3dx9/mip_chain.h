// The levels below a texture's first, as D3DX's default box filter makes
// them. Plain C++ over decoded images, so the Linux tests can check it.
#ifndef KELVANE_WINDOWS_D3DX9_MIP_CHAIN_H
#define KELVANE_WINDOWS_D3DX9_MIP_CHAIN_H

#include "image_decode.h"

namespace platform {
namespace d3dx9 {

// Each side halved (never below 1), each texel the rounded mean of the two
// or four it covers; an odd last row or column is left out.
imaging::DecodedImage halveImage(const imaging::DecodedImage& in);

}  // namespace d3dx9
}  // namespace platform

#endif
