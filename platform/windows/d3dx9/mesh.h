// ID3DXMesh on Windows: vertex and index buffers of the real device, faces
// grouped by attribute, one indexed draw per subset.
#ifndef KELVANE_WINDOWS_D3DX9_MESH_H
#define KELVANE_WINDOWS_D3DX9_MESH_H

#include <d3dx9.h>

#include "mesh_subsets.h"
#include "xfile_load.h"

namespace platform {
namespace d3dx9 {

// A mesh over the parsed file, its buffers created in the pool the options
// name (D3DXMESH_SYSTEMMEM or managed); null with the device's error in *hr.
ID3DXMesh* createMesh(IDirect3DDevice9* device, DWORD options, const d3d9::XMeshData& data,
                      HRESULT* hr);

}  // namespace d3dx9
}  // namespace platform

#endif
