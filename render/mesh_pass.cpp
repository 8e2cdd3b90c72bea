// The placed meshes: each used placement drawn with the mesh loaded into the
// slot of the same index, scaled in tenths, turned about Y and moved.
#include "passes.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

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

// Whether a placement drawn with this world matrix may show in the volume.
// Extreme values (a negative entry read as a huge number, a scale of 0 or
// beyond any track) are drawn as without culling, and so is a mesh whose
// box is not known.
bool mayShow(const MeshPlacement& p, const MeshSlot& slot, const D3DXMATRIX& world,
             const ViewVolume& volume) {
    const DWORD kExtreme = 16777216;
    for (DWORD value : {p.posX, p.posY, p.posZ, p.scaleX, p.scaleY, p.scaleZ})
        if (value >= kExtreme) return true;
    if (p.scaleX == 0 || p.scaleY == 0 || p.scaleZ == 0 || !slot.hasBox) return true;
    WorldBox box = {{HUGE_VAL, HUGE_VAL, HUGE_VAL}, {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL}};
    for (int corner = 0; corner < 8; ++corner) {
        const double local[3] = {corner & 1 ? slot.boxMax.x : slot.boxMin.x,
                                 corner & 2 ? slot.boxMax.y : slot.boxMin.y,
                                 corner & 4 ? slot.boxMax.z : slot.boxMin.z};
        for (int k = 0; k < 3; ++k) {
            double w = world.m[3][k];
            for (int r = 0; r < 3; ++r) w += local[r] * world.m[r][k];
            box.lo[k] = std::min(box.lo[k], w);
            box.hi[k] = std::max(box.hi[k], w);
        }
    }
    return volume.mayShow(box);
}

}  // namespace

int meshPass(const TrackDocument& track) {
    return meshPass(track, ViewVolume::everything());
}

int meshPass(const TrackDocument& track, const ViewVolume& volume) {
    // Placements beyond the mesh slots have no mesh to draw, so there are at
    // most 128 to test: no index is needed to find them.
    DWORD count = track.header.meshCount < kMeshSlotCount ? track.header.meshCount : kMeshSlotCount;
    for (DWORD i = 0; i < count; ++i) {
        const MeshPlacement* placement = track.meshAt(i);
        if (!placement || placement->empty != 0) continue;
        const D3DXMATRIX world = placementWorld(*placement);
        if (volume.bounded() && !mayShow(*placement, scene.meshSlots[i], world, volume)) continue;
        scene.setWorld(world);
        scene.drawMesh(i);
    }
    return 1;
}
