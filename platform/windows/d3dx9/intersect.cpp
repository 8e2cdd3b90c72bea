// D3DXIntersect on Windows: the mesh's own buffers read through its locks,
// met with the face arithmetic the stand-in uses.
#include <d3dx9.h>

#include <cstdint>
#include <vector>

#include "ray_faces.h"

namespace {

// The mesh's indices widened to 32 bits; false when a buffer cannot be read.
bool readIndices(ID3DXBaseMesh* mesh, std::vector<uint32_t>* indices) {
    const size_t count = size_t(mesh->GetNumFaces()) * 3;
    void* bytes = nullptr;
    if (FAILED(mesh->LockIndexBuffer(D3DLOCK_READONLY, &bytes)) || !bytes) return false;
    indices->resize(count);
    if (mesh->GetOptions() & D3DXMESH_32BIT) {
        const auto* in = static_cast<const uint32_t*>(bytes);
        indices->assign(in, in + count);
    } else {
        const auto* in = static_cast<const uint16_t*>(bytes);
        for (size_t k = 0; k < count; ++k) (*indices)[k] = in[k];
    }
    mesh->UnlockIndexBuffer();
    return true;
}

}  // namespace

HRESULT WINAPI D3DXIntersect(LPD3DXBASEMESH pMesh, const D3DXVECTOR3* pRayPos,
                             const D3DXVECTOR3* pRayDir, BOOL* pHit, DWORD* pFaceIndex,
                             FLOAT* pU, FLOAT* pV, FLOAT* pDist, LPD3DXBUFFER* ppAllHits,
                             DWORD* pCountOfHits) {
    if (!pMesh || !pRayPos || !pRayDir || !pHit || ppAllHits) return D3DERR_INVALIDCALL;
    std::vector<uint32_t> indices;
    void* vertices = nullptr;
    if (!readIndices(pMesh, &indices)) return D3DERR_INVALIDCALL;
    if (FAILED(pMesh->LockVertexBuffer(D3DLOCK_READONLY, &vertices)) || !vertices)
        return D3DERR_INVALIDCALL;
    const double o[3] = {pRayPos->x, pRayPos->y, pRayPos->z};
    const double d[3] = {pRayDir->x, pRayDir->y, pRayDir->z};
    const platform::d3d9::FaceHit hit = platform::d3d9::nearestFaceHit(
        o, d, static_cast<const unsigned char*>(vertices), pMesh->GetNumBytesPerVertex(),
        pMesh->GetNumVertices(), indices.data(), indices.size() / 3);
    pMesh->UnlockVertexBuffer();
    *pHit = hit.found ? TRUE : FALSE;
    if (pFaceIndex) *pFaceIndex = hit.face;
    if (pU) *pU = static_cast<FLOAT>(hit.u);
    if (pV) *pV = static_cast<FLOAT>(hit.v);
    if (pDist) *pDist = static_cast<FLOAT>(hit.t);
    if (pCountOfHits) *pCountOfHits = hit.count;
    return D3D_OK;
}
