// The faces and vertices of a mesh the layer loaded, for the D3DX functions
// that read a mesh without drawing it.
#ifndef KELVANE_D3D9_D3DX_MESH_H
#define KELVANE_D3D9_D3DX_MESH_H

#include <d3dx9.h>

#include "xfile_load.h"

namespace platform {
namespace d3d9 {

const XMeshData& meshDataOf(ID3DXBaseMesh* mesh);

}  // namespace d3d9
}  // namespace platform

#endif
