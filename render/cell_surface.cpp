#include "cell_surface.h"

#include "transforms.h"

namespace {

float cellCentre(DWORD index) {
    return float(double(index) * 100.0 + 50.0);
}

// Stretch to 100 x 100, then one of the quarter turns, built once.
struct OrientedScales {
    D3DXMATRIX byOrientation[4];
    OrientedScales() {
        for (int o = 0; o < 4; ++o)
            byOrientation[o] =
                composeMatrices(rotationYMatrix(kQuarterTurns[o]), scalingMatrix(10, 1, 10));
    }
};

}  // namespace

bool cellIsDrawn(const Field& cell) {
    return cell.empty == 0 && cell.shape < kShapeCount;
}

void cellCorners(const Field& cell, DWORD i, DWORD j, D3DXVECTOR3 corners[4]) {
    static const OrientedScales scales;
    const D3DXMATRIX& m = scales.byOrientation[cell.orientation < 4 ? cell.orientation : 0];
    float lift = cell.shape == 1 ? kTopHeight : 0.0f;
    float cx = cellCentre(i), cz = cellCentre(j);
    const QuadVertex* v = quadVertices(kShapeQuads[cell.shape < kShapeCount ? cell.shape : 0]);
    for (int k = 0; k < 4; ++k) {
        corners[k].x = v[k].x * m._11 + v[k].y * m._21 + v[k].z * m._31 + cx;
        corners[k].y = v[k].x * m._12 + v[k].y * m._22 + v[k].z * m._32 + lift;
        corners[k].z = v[k].x * m._13 + v[k].y * m._23 + v[k].z * m._33 + cz;
    }
}
