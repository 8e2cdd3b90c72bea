// D3DXComputeBoundingBox, shared by the stand-in and the Windows build: the
// programs read a mesh's box once to tell whether a placement can be seen.
#include <d3dx9.h>

#include <algorithm>
#include <cstring>

HRESULT WINAPI D3DXComputeBoundingBox(CONST D3DXVECTOR3* pFirstPosition, DWORD NumVertices,
                                      DWORD dwStride, D3DXVECTOR3* pMin, D3DXVECTOR3* pMax) {
    if (!pFirstPosition || !pMin || !pMax || NumVertices == 0) return D3DERR_INVALIDCALL;
    const BYTE* vertex = reinterpret_cast<const BYTE*>(pFirstPosition);
    *pMin = *pMax = *pFirstPosition;
    for (DWORD i = 1; i < NumVertices; ++i) {
        vertex += dwStride;
        D3DXVECTOR3 p;
        std::memcpy(&p, vertex, sizeof p);
        pMin->x = std::min(pMin->x, p.x);
        pMin->y = std::min(pMin->y, p.y);
        pMin->z = std::min(pMin->z, p.z);
        pMax->x = std::max(pMax->x, p.x);
        pMax->y = std::max(pMax->y, p.y);
        pMax->z = std::max(pMax->z, p.z);
    }
    return D3D_OK;
}
