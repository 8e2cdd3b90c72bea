// The background: the background map on four walls standing round the eye
// like an open box. They move with the eye across the ground but not in
// height, are unlit, and write no depth, so everything drawn later covers
// them.
#include "passes.h"

#include <cmath>

#include "renderer.h"
#include "scene.h"

namespace {

constexpr float kWallScaleFactor = 0.2f;  // the 10-unit quad becomes 2d by 2d

struct BackgroundWall {
    float dx, dz;  // offset from the eye in units of the distance
    float turn;
};

// Each wall's front faces the eye.
constexpr BackgroundWall kWalls[4] = {
    {1, 0, 1.57f},
    {-1, 0, -1.57f},
    {0, 1, 0.0f},
    {0, -1, 3.14f},
};

}  // namespace

int backgroundPass(const TrackDocument& track, float distance) {
    if (!track.loaded) return 0;
    IDirect3DDevice9* device = renderer.device;
    float scale = std::fabs(distance * kWallScaleFactor);
    float d = std::fabs(distance);
    scene.selectQuad(BillboardQuad);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    for (const BackgroundWall& wall : kWalls) {
        D3DXVECTOR3 position(scene.eye[0] + wall.dx * d, -d, scene.eye[2] + wall.dz * d);
        scene.drawPlacedQuad(track.header.backgroundMap, position, D3DXVECTOR3(0, wall.turn, 0),
                             scale, scale);
    }
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    return 1;
}
