// The bytes D3DXLoadMeshFromX hands back as its material buffer: the
// D3DXMATERIAL array, then the texture names its entries point at. Shared by
// the stand-in's D3DX and the Windows build's own, each with its own buffer.
#ifndef KELVANE_D3D9_MATERIAL_BLOCK_H
#define KELVANE_D3D9_MATERIAL_BLOCK_H

#include <cstddef>
#include <vector>

#include "xfile_load.h"

namespace platform {
namespace d3d9 {

size_t materialBlockSize(const std::vector<XMaterial>& materials);
// block: materialBlockSize(materials) bytes, aligned for D3DXMATERIAL.
void writeMaterialBlock(const std::vector<XMaterial>& materials, void* block);

}  // namespace d3d9
}  // namespace platform

#endif
