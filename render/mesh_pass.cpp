// The placed meshes: each used placement drawn with the mesh loaded into the
// slot of the same index, scaled in tenths, turned about Y and moved.
#include "passes.h"

#include "scene.h"
#include "transforms.h"

namespace {

constexpr float kScaleFactor = 0.1f;               // scale is stored in tenths
constexpr float kDegreesToRadians = 0.017444444f;  // 3.14 / 180, as stored angles were always read

D3DXMATRIX placementWorld(const MeshPlacement& placement) {
    D3DXMATRIX scale = scalingMatrix(float(placement.scaleX) * kScaleFactor,
                                     float(placement.scaleY) * kScaleFactor,
                                     float(placement.scaleZ) * kScaleFactor);
    D3DXMATRIX turn = rotationYMatrix(float(placement.angleY) * kDegreesToRadians);
    D3DXMATRIX move =
        translationMatrix(float(placement.posX), float(placement.posY), float(placement.posZ));
    return composeMatrices(move, composeMatrices(turn, scale));
}

}  // namespace

int meshPass(const TrackDocument& track) {
    // Placements beyond the mesh slots have no mesh to draw.
    DWORD count = track.header.meshCount < kMeshSlotCount ? track.header.meshCount : kMeshSlotCount;
    for (DWORD i = 0; i < count; ++i) {
        const MeshPlacement* placement = track.meshAt(i);
        if (!placement || placement->empty != 0) continue;
        scene.setWorld(placementWorld(*placement));
        scene.drawMesh(i);
    }
    return 1;
}
