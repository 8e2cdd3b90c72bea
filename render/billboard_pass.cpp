// The billboards: upright textured quads, fixed at an angle or turned to the
// camera, in index order without sorting.
#include "passes.h"

#include "renderer.h"
#include "scene.h"
#include "selection.h"
#include "visible_objects.h"

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

// The selected billboard glows; the material is put back after it.
void drawIfUsed(const TrackDocument& track, DWORD b) {
    const Billboard* billboard = track.billboardAt(b);
    if (!billboard || billboard->empty != 0) return;
    bool selected = selectedBillboard >= 0 && DWORD(selectedBillboard) == b;
    if (selected) renderer.device->SetMaterial(&HighlightBillboardMaterial);
    drawOne(*billboard);
    if (selected) renderer.device->SetMaterial(&DefaultMaterial);
}

}  // namespace

int billboardPass(const TrackDocument& track) {
    if (!track.loaded) return 0;
    scene.selectQuad(BillboardQuad);
    for (DWORD b = 0; b < track.header.billboardCount; ++b) drawIfUsed(track, b);
    return 1;
}

int billboardPass(const TrackDocument& track, const ViewVolume& volume) {
    if (!volume.bounded()) return billboardPass(track);
    if (!track.loaded) return 0;
    scene.selectQuad(BillboardQuad);
    for (DWORD b : visibleBillboards(track, volume)) drawIfUsed(track, b);
    return 1;
}
