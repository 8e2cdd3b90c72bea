// Map textures and .x meshes loaded from the files a track names.
#ifndef KELVANE_RENDER_TRACK_ASSETS_H
#define KELVANE_RENDER_TRACK_ASSETS_H

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include <cstddef>

#include "resource_report.h"

struct TrackDocument;

const DWORD kMapTextureCount = 256;
const DWORD kMeshSlotCount = 128;
// Room for a composed "directory\name" path, terminating NUL included.
const size_t kPathBufferSize = 128;

// One loaded .x mesh with a material and a texture per subset. The slot owns
// the mesh, both arrays and the textures.
struct MeshSlot {
    ID3DXMesh* mesh;
    DWORD materialCount;
    D3DMATERIAL9* materials;
    IDirect3DTexture9** textures;
    // The box round the mesh's vertices in its own coordinates, when they
    // could be read: what a view must meet for the mesh to show.
    BOOL hasBox;
    D3DXVECTOR3 boxMin, boxMax;
};

// Fills in the slot's box from its mesh's vertices.
void measureMesh(MeshSlot* slot);

// Writes "directory\name" into out, taking at most nameLength characters of
// name. False, with out left empty, when the result would not fit.
bool composePath(char* out, size_t outSize, const char* directory, const char* name,
                 size_t nameLength);

// Loads every map texture and every mesh the document names from the
// directory into emptied slots. 1 when a track is loaded, 0 when none is.
// Names that leave the folder are not looked up; every file that could not
// be loaded goes into the report (when given), and once a texture would pass
// the texture budget nothing more is loaded.
int loadTrackResources(const TrackDocument& document, const char* directory,
                       ResourceReport* report = nullptr);
int loadTrackResources(const char* directory, ResourceReport* report = nullptr);

#endif
