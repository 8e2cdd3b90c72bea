// The render resources of the track editor and the operations that set
// device state and draw with them. The device is reached only through
// `renderer.device`.
#ifndef KELVANE_RENDER_SCENE_H
#define KELVANE_RENDER_SCENE_H

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "quads.h"
#include "track_assets.h"

// White diffuse and ambient, no specular or emissive: the material every pass
// returns to after a highlighted object.
extern const D3DMATERIAL9 DefaultMaterial;

// The Preview's fixed perspective, as setProjection hands it to the device.
D3DXMATRIX previewProjection();

struct Scene {
    float eye[3];
    MeshSlot meshSlots[kMeshSlotCount];
    IDirect3DTexture9* mapTextures[kMapTextureCount];
    IDirect3DVertexBuffer9* quads[kQuadCount];
    float lookDirX, lookDirZ;
    // The quad last made the vertex stream; null when none is or it could not
    // be built, in which case the quad draws draw nothing.
    IDirect3DVertexBuffer9* currentQuad;
    // The one buffer every line is written into in turn, made by the first
    // line; null before that or when it could not be made.
    IDirect3DVertexBuffer9* lineBuffer;

    // Fixed device state (scene.cpp).
    void setProjection();
    void setupLight();
    void setWorld(D3DXMATRIX matrix);

    // Textures and meshes (resources.cpp). Indices beyond the tables fail.
    // A file that cannot be loaded goes into the report (when given) under
    // `name`, or its path; a mesh's textures as "texture (in name)". Textures
    // are shared per file (shared_textures.h); mesh textures are looked up
    // in textureDirectory and only under names that stay in it. Once the
    // report says the budget stopped loading, nothing more is loaded.
    HRESULT loadMapTexture(DWORD index, const char* path, ResourceReport* report = nullptr,
                           const char* name = nullptr);
    HRESULT loadMesh(DWORD slot, const char* path, const char* textureDirectory,
                     ResourceReport* report = nullptr, const char* name = nullptr);
    int releaseMesh(DWORD slot);
    HRESULT drawMesh(DWORD slot);
    // The map texture of a stored map index; null beyond the table.
    IDirect3DTexture9* mapTexture(DWORD map) const;
    void releaseTexturesAndMeshes();

    // Quads and the draws over them (quads.cpp).
    void buildQuads();
    int selectQuad(int index);
    HRESULT drawQuad(DWORD map);
    HRESULT drawBillboard(DWORD map, float x, float y, float z, float width, float height);
    HRESULT drawPlacedQuad(DWORD map, D3DXVECTOR3 position, D3DXVECTOR3 rotation, float scaleX,
                           float scaleY);
    HRESULT drawLine(float x1, float y1, float z1, float x2, float y2, float z2, float r, float g,
                     float b);
    void releaseQuads();

    // Everything the scene holds on the device, before the device goes.
    void releaseResources();
};

extern Scene scene;

// The Preview's perspective: the 45-degree field of view, the fixed 1.33
// aspect, near 1 and far 3000.
D3DXMATRIX previewProjection();

#endif
