// D3DXIntersect: a ray against a loaded mesh's faces, as picking asks.
#include <d3dx9.h>

#include "d3dx_mesh.h"
#include "ray_faces.h"

HRESULT WINAPI D3DXIntersect(LPD3DXBASEMESH pMesh, CONST D3DXVECTOR3* pRayPos,
                             CONST D3DXVECTOR3* pRayDir, BOOL* pHit, DWORD* pFaceIndex,
                             FLOAT* pU, FLOAT* pV, FLOAT* pDist, LPD3DXBUFFER* ppAllHits,
                             DWORD* pCountOfHits) {
    using namespace platform::d3d9;
    if (!pMesh || !pRayPos || !pRayDir || !pHit || ppAllHits) return D3DERR_INVALIDCALL;
    const XMeshData& data = meshDataOf(pMesh);
    const double o[3] = {pRayPos->x, pRayPos->y, pRayPos->z};
    const double d[3] = {pRayDir->x, pRayDir->y, pRayDir->z};
    const FaceHit hit = nearestFaceHit(
        o, d, reinterpret_cast<const unsigned char*>(data.vertices.data()), sizeof(XVertex),
        data.vertices.size(), data.indices.data(), data.indices.size() / 3);
    *pHit = hit.found ? TRUE : FALSE;
    if (pFaceIndex) *pFaceIndex = hit.face;
    if (pU) *pU = static_cast<FLOAT>(hit.u);
    if (pV) *pV = static_cast<FLOAT>(hit.v);
    if (pDist) *pDist = static_cast<FLOAT>(hit.t);
    if (pCountOfHits) *pCountOfHits = hit.count;
    return D3D_OK;
}
