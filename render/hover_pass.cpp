#include "hover.h"

#include "cell_surface.h"
#include "scene.h"

int hoveredFieldI = -1;
int hoveredFieldJ = -1;

namespace {

const float kTowardsEye = 0.03f;    // of the distance to the eye
const float kLiftFromAbove = 2.0f;  // world units

D3DXVECTOR3 inFront(const D3DXVECTOR3& p, const float eye[3], bool fromAbove) {
    if (fromAbove) return D3DXVECTOR3(p.x, p.y + kLiftFromAbove, p.z);
    return D3DXVECTOR3(p.x + (eye[0] - p.x) * kTowardsEye, p.y + (eye[1] - p.y) * kTowardsEye,
                       p.z + (eye[2] - p.z) * kTowardsEye);
}

}  // namespace

int hoverPass(const TrackDocument& track, const float eye[3], bool fromAbove) {
    if (hoveredFieldI < 0 || hoveredFieldJ < 0 || !track.loaded) return 1;
    const Field* cell = track.fieldAt(DWORD(hoveredFieldI), DWORD(hoveredFieldJ));
    if (!cell) return 1;
    // A cell not in use is outlined on the level ground where it is picked.
    const Field ground = {1, 0, 0, 0, 0};
    D3DXVECTOR3 corners[4];
    cellCorners(cellIsDrawn(*cell) ? *cell : ground, DWORD(hoveredFieldI), DWORD(hoveredFieldJ),
                corners);
    for (int k = 0; k < 4; ++k) {
        D3DXVECTOR3 a = inFront(corners[k], eye, fromAbove);
        D3DXVECTOR3 b = inFront(corners[(k + 1) % 4], eye, fromAbove);
        scene.drawLine(a.x, a.y, a.z, b.x, b.y, b.z, 1.0f, 1.0f, 0.0f);
    }
    return 1;
}
