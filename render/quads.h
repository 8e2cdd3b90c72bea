// The five unit quads from which fields, walls, billboards and the background
// are drawn, and the small drawing operations over them.
#ifndef KELVANE_RENDER_QUADS_H
#define KELVANE_RENDER_QUADS_H

#include <windows.h>
#include <d3d9.h>

// Position, normal, diffuse colour, one texture coordinate pair: 36 bytes.
struct QuadVertex {
    float x, y, z;
    float nx, ny, nz;
    DWORD colour;
    float u, v;
};

const DWORD kQuadFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;
const UINT kQuadVertexCount = 4;

// Index of each quad in Scene::quads.
enum QuadIndex { BillboardQuad, FlatQuad, SlopeQuad, Corner1Quad, Corner2Quad, kQuadCount };

// The four vertices of quad `index`, in buffer order (drawn as a fan).
const QuadVertex* quadVertices(int index);

#endif
