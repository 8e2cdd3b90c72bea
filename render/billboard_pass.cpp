// The billboards: upright textured quads, fixed at an angle or turned to the
// camera, in index order without sorting.
#include "passes.h"

#include "renderer.h"
#include "scene.h"
#include "selection.h"

namespace {

const D3DMATERIAL9 HighlightBillboardMaterial = {
    {1.0f, 1.0f, 1.0f, 1.0f},  // diffuse
    {1.0f, 1.0f, 1.0f, 1.0f},  // ambient
    {1.0f, 0.0f, 0.0f, 1.0f},  // specular
    {1.0f, 0.0f, 0.0f, 1.0f},  // emissive: the red glow
    15.0f,
};

constexpr float kSizeFactor = 0.1f;
// 3.14 / 180 and the 1.57 offset as the stored angles were always read:
// angle 0 faces +X, 90 faces -Z.
constexpr float kDegreesToRadians = 0.017444444f;
constexpr float kAngleOffset = 1.57f;

void drawOne(const Billboard& billboard) {
    float width = float(billboard.scaleX) * kSizeFactor;
    float height = float(billboard.scaleY) * kSizeFactor;
    if (billboard.face != 0) {
        scene.drawBillboard(billboard.map, float(billboard.posX), float(billboard.posY),
                            float(billboard.posZ), width, height);
        return;
    }
    float turn = float(billboard.angleY) * kDegreesToRadians - kAngleOffset;
    scene.drawPlacedQuad(
        billboard.map,
        D3DXVECTOR3(float(billboard.posX), float(billboard.posY), float(billboard.posZ)),
        D3DXVECTOR3(0, turn, 0), width, height);
}

}  // namespace

int billboardPass(const TrackDocument& track) {
    if (!track.loaded) return 0;
    IDirect3DDevice9* device = renderer.device;
    scene.selectQuad(BillboardQuad);
    for (DWORD b = 0; b < track.header.billboardCount; ++b) {
        const Billboard* billboard = track.billboardAt(b);
        if (!billboard || billboard->empty != 0) continue;
        bool selected = selectedBillboard >= 0 && DWORD(selectedBillboard) == b;
        if (selected) device->SetMaterial(&HighlightBillboardMaterial);
        drawOne(*billboard);
        if (selected) device->SetMaterial(&DefaultMaterial);
    }
    return 1;
}
