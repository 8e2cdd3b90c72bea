#include <d3dx9.h>

#include "platform/d3d9_inspect.h"

HRESULT WINAPI D3DXCreateTextureFromFileA(LPDIRECT3DDEVICE9, LPCSTR,
                                          LPDIRECT3DTEXTURE9* ppTexture) {
    if (ppTexture) *ppTexture = nullptr;
    return E_FAIL;
}

HRESULT WINAPI D3DXLoadMeshFromXA(LPCSTR, DWORD, LPDIRECT3DDEVICE9, LPD3DXBUFFER*,
                                  LPD3DXBUFFER* ppMaterials, LPD3DXBUFFER*, DWORD*,
                                  LPD3DXMESH* ppMesh) {
    if (ppMaterials) *ppMaterials = nullptr;
    if (ppMesh) *ppMesh = nullptr;
    return E_FAIL;
}

namespace platform {
namespace d3d9 {
bool readTexture(IDirect3DTexture9*, TextureImage*) {
    return false;
}
bool readMesh(ID3DXMesh*, MeshContents*) {
    return false;
}
}  // namespace d3d9
}  // namespace platform
