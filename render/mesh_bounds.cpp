// The box round a loaded mesh, read once when the mesh is loaded, so the
// mesh pass can tell whether a placement can show without touching its
// vertices every frame.
#include "track_assets.h"

void measureMesh(MeshSlot* slot) {
    slot->hasBox = FALSE;
    ID3DXMesh* mesh = slot->mesh;
    if (!mesh || mesh->GetNumVertices() == 0) return;
    void* vertices = nullptr;
    if (FAILED(mesh->LockVertexBuffer(D3DLOCK_READONLY, &vertices)) || !vertices) return;
    if (SUCCEEDED(D3DXComputeBoundingBox(static_cast<const D3DXVECTOR3*>(vertices),
                                         mesh->GetNumVertices(), mesh->GetNumBytesPerVertex(),
                                         &slot->boxMin, &slot->boxMax)))
        slot->hasBox = TRUE;
    mesh->UnlockVertexBuffer();
}
