// D3DXIntersect: a ray against a loaded mesh's faces, as picking asks.
#include <d3dx9.h>

#include <cmath>

#include "d3dx_mesh.h"

namespace platform {
namespace d3d9 {
namespace {

struct Hit {
    double t, u, v;
};

// Moller-Trumbore, both sides of the face; false when the ray misses it or
// meets it behind its origin.
bool rayMeetsFace(const double o[3], const double d[3], const float* a, const float* b,
                  const float* c, Hit* hit) {
    double e1[3], e2[3], s[3], p[3], q[3];
    for (int k = 0; k < 3; ++k) {
        e1[k] = double(b[k]) - a[k];
        e2[k] = double(c[k]) - a[k];
        s[k] = o[k] - a[k];
    }
    p[0] = d[1] * e2[2] - d[2] * e2[1];
    p[1] = d[2] * e2[0] - d[0] * e2[2];
    p[2] = d[0] * e2[1] - d[1] * e2[0];
    const double det = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
    if (std::fabs(det) < 1e-12) return false;
    hit->u = (s[0] * p[0] + s[1] * p[1] + s[2] * p[2]) / det;
    if (hit->u < 0 || hit->u > 1) return false;
    q[0] = s[1] * e1[2] - s[2] * e1[1];
    q[1] = s[2] * e1[0] - s[0] * e1[2];
    q[2] = s[0] * e1[1] - s[1] * e1[0];
    hit->v = (d[0] * q[0] + d[1] * q[1] + d[2] * q[2]) / det;
    if (hit->v < 0 || hit->u + hit->v > 1) return false;
    hit->t = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) / det;
    return hit->t >= 0;
}

}  // namespace
}  // namespace d3d9
}  // namespace platform

HRESULT WINAPI D3DXIntersect(LPD3DXBASEMESH pMesh, CONST D3DXVECTOR3* pRayPos,
                             CONST D3DXVECTOR3* pRayDir, BOOL* pHit, DWORD* pFaceIndex,
                             FLOAT* pU, FLOAT* pV, FLOAT* pDist, LPD3DXBUFFER* ppAllHits,
                             DWORD* pCountOfHits) {
    using namespace platform::d3d9;
    if (!pMesh || !pRayPos || !pRayDir || !pHit || ppAllHits) return D3DERR_INVALIDCALL;
    const XMeshData& data = meshDataOf(pMesh);
    const double o[3] = {pRayPos->x, pRayPos->y, pRayPos->z};
    const double d[3] = {pRayDir->x, pRayDir->y, pRayDir->z};
    bool found = false;
    Hit nearest = {0, 0, 0};
    DWORD face = 0, hits = 0;
    const size_t vertexCount = data.vertices.size();
    for (size_t f = 0; f + 2 < data.indices.size(); f += 3) {
        const uint32_t* corner = &data.indices[f];
        Hit hit;
        if (corner[0] >= vertexCount || corner[1] >= vertexCount || corner[2] >= vertexCount ||
            !rayMeetsFace(o, d, data.vertices[corner[0]].position,
                          data.vertices[corner[1]].position, data.vertices[corner[2]].position,
                          &hit))
            continue;
        ++hits;
        if (found && hit.t >= nearest.t) continue;
        found = true;
        nearest = hit;
        face = static_cast<DWORD>(f / 3);
    }
    *pHit = found ? TRUE : FALSE;
    if (pFaceIndex) *pFaceIndex = found ? face : 0;
    if (pU) *pU = found ? static_cast<FLOAT>(nearest.u) : 0;
    if (pV) *pV = found ? static_cast<FLOAT>(nearest.v) : 0;
    if (pDist) *pDist = found ? static_cast<FLOAT>(nearest.t) : 0;
    if (pCountOfHits) *pCountOfHits = hits;
    return D3D_OK;
}
