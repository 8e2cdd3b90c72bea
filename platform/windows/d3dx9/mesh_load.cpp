// D3DXLoadMeshFromXA on Windows: the project's .x reader, the mesh made
// through the device, and the material list as D3DX lays it out. Not done:
// adjacency and effect-instance outputs (refused with D3DERR_INVALIDCALL, as
// the stand-in refuses them) and options beyond the pool and index width.
#include <d3dx9.h>

#include "d3dx9_private.h"
#include "file_bytes.h"
#include "material_block.h"
#include "mesh.h"
#include "xfile_load.h"

namespace {

// The material list as D3DX lays it out, in a buffer of our D3DX's.
ID3DXBuffer* materialBuffer(const std::vector<platform::d3d9::XMaterial>& materials) {
    auto* buffer = new platform::d3dx9::Buffer(platform::d3d9::materialBlockSize(materials));
    platform::d3d9::writeMaterialBlock(materials, buffer->GetBufferPointer());
    return buffer;
}

}  // namespace

HRESULT WINAPI D3DXLoadMeshFromXA(const char* filename, DWORD flags, IDirect3DDevice9* device,
                                  ID3DXBuffer** adjacency, ID3DXBuffer** materials,
                                  ID3DXBuffer** effect_instances, DWORD* material_count,
                                  ID3DXMesh** mesh) {
    using namespace platform;
    if (materials) *materials = nullptr;
    if (mesh) *mesh = nullptr;
    if (material_count) *material_count = 0;
    const DWORD known = D3DXMESH_32BIT | D3DXMESH_SYSTEMMEM | D3DXMESH_MANAGED;
    if (!filename || !device || !mesh || adjacency || effect_instances || (flags & ~known))
        return D3DERR_INVALIDCALL;
    const size_t kMaxFile = 64u << 20;
    std::vector<uint8_t> bytes;
    d3d9::XMeshData data;
    if (!d3d9::readWholeFile(filename, kMaxFile, &bytes)) return D3DXERR_INVALIDDATA;
    if (d3d9::loadXFile(bytes.data(), bytes.size(), &data) != nullptr) return D3DXERR_INVALIDDATA;
    HRESULT hr = D3D_OK;
    ID3DXMesh* made = d3dx9::createMesh(device, flags, data, &hr);
    if (!made) return hr;
    if (materials) *materials = materialBuffer(data.materials);
    if (material_count) *material_count = static_cast<DWORD>(data.materials.size());
    *mesh = made;
    return D3D_OK;
}
