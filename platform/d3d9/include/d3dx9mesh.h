/*
 * D3DX buffers and meshes: what D3DXLoadMeshFromXA hands back and how a mesh
 * is drawn. A mesh draws on the device it was loaded with.
 */
#ifndef KELVANE_PLATFORM_D3DX9MESH_H
#define KELVANE_PLATFORM_D3DX9MESH_H

#include <d3d9.h>

#include "d3dx9math.h"

#define D3DXMESH_32BIT 0x001
#define D3DXMESH_SYSTEMMEM 0x110
#define D3DXMESH_MANAGED 0x220

// A block of bytes owned by the buffer; freed by the last Release.
class ID3DXBuffer : public IUnknown {
public:
    virtual LPVOID GetBufferPointer() = 0;
    virtual DWORD GetBufferSize() = 0;

protected:
    ~ID3DXBuffer() = default;
};

class ID3DXBaseMesh : public IUnknown {
public:
    // Draws the faces whose attribute id is AttribId with the device's current
    // transforms, material and texture, inside a scene. As in D3DX, it leaves
    // the mesh's vertices and vertex format bound as stream 0.
    virtual HRESULT DrawSubset(DWORD AttribId) = 0;
    virtual DWORD GetNumVertices() = 0;
    virtual DWORD GetNumBytesPerVertex() = 0;
    // Only for reading (D3DLOCK_READONLY): a mesh keeps a copy of its
    // vertices on the device, which writing here would not reach, so any
    // other lock fails with D3DERR_INVALIDCALL. Positions come first in each
    // vertex.
    virtual HRESULT LockVertexBuffer(DWORD Flags, LPVOID* ppData) = 0;
    virtual HRESULT UnlockVertexBuffer() = 0;

protected:
    ~ID3DXBaseMesh() = default;
};

class ID3DXMesh : public ID3DXBaseMesh {
protected:
    ~ID3DXMesh() = default;
};

typedef ID3DXBuffer* LPD3DXBUFFER;
typedef ID3DXBaseMesh* LPD3DXBASEMESH;
typedef ID3DXMesh* LPD3DXMESH;

// One entry of the material buffer: the colours and the texture file name as
// written in the file (null when the material names none). The name's bytes
// live in the same buffer.
typedef struct _D3DXMATERIAL {
    D3DMATERIAL9 MatD3D;
    LPSTR pTextureFilename;
} D3DXMATERIAL, *LPD3DXMATERIAL;

// Reads a text or binary .x file. Every mesh of every frame is merged, with
// its frame transforms, into one mesh; attribute ids number the materials in
// file order. Adjacency and effect-instance outputs are not supported: they
// must be null.
HRESULT WINAPI D3DXLoadMeshFromXA(LPCSTR pFilename, DWORD Options, LPDIRECT3DDEVICE9 pD3DDevice,
                                  LPD3DXBUFFER* ppAdjacency, LPD3DXBUFFER* ppMaterials,
                                  LPD3DXBUFFER* ppEffectInstances, DWORD* pNumMaterials,
                                  LPD3DXMESH* ppMesh);

// The ray pRayPos + t * pRayDir against every face of the mesh, either side:
// *pHit, and for the nearest hit (t >= 0) its face, barycentric U and V and
// t in *pDist. The list of all hits is not provided: ppAllHits must be null.
HRESULT WINAPI D3DXIntersect(LPD3DXBASEMESH pMesh, CONST D3DXVECTOR3* pRayPos,
                             CONST D3DXVECTOR3* pRayDir, BOOL* pHit, DWORD* pFaceIndex,
                             FLOAT* pU, FLOAT* pV, FLOAT* pDist, LPD3DXBUFFER* ppAllHits,
                             DWORD* pCountOfHits);

// The smallest box holding NumVertices positions, the first at
// pFirstPosition and each next one dwStride bytes further.
HRESULT WINAPI D3DXComputeBoundingBox(CONST D3DXVECTOR3* pFirstPosition, DWORD NumVertices,
                                      DWORD dwStride, D3DXVECTOR3* pMin, D3DXVECTOR3* pMax);

#endif
