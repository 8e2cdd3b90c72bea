// The field grid: one quad per used cell and the walls round the grid.
//
// Cells the editor never writes are handled so that nothing stale is drawn:
// a shape outside 0-4 is skipped with its walls, as if the cell were unused
// (otherwise the previous cell's quad and transform would be drawn again), and
// an orientation outside 0-3 draws unturned rather than with the previous
// cell's turn. Map indices beyond the texture table draw untextured.
#include "passes.h"

#include "cell_surface.h"

#include "scene.h"
#include "renderer.h"
#include "selection.h"
#include "transforms.h"

namespace {

const D3DMATERIAL9 HighlightFieldMaterial = {
    {1.0f, 0.2f, 0.2f, 1.0f},  // diffuse
    {1.0f, 0.2f, 0.2f, 1.0f},  // ambient
    {0.0f, 0.0f, 0.0f, 1.0f},  // specular
    {0.0f, 0.0f, 0.0f, 1.0f},  // emissive
    15.0f,
};

constexpr float kWallWidthScale = 10.1f;  // 101 units: neighbours overlap by half a unit
constexpr float kWallHeightScale = 10.0f;

bool isSelected(DWORD i, DWORD j) {
    return selectedFieldI >= 0 && selectedFieldJ >= 0 && DWORD(selectedFieldI) == i &&
           DWORD(selectedFieldJ) == j;
}

float cellCentre(DWORD index) {
    return float(double(index) * 100.0 + 50.0);
}

// Stretch to 100 x 100, then one of the quarter turns: the same four matrices
// for every cell of every frame, so they are built once.
struct OrientedScales {
    D3DXMATRIX byOrientation[4];
    OrientedScales() {
        for (int o = 0; o < 4; ++o)
            byOrientation[o] =
                composeMatrices(rotationYMatrix(kQuarterTurns[o]), scalingMatrix(10, 1, 10));
    }
};

// The cell's own quad, stretched to 100 x 100, turned and lifted.
void drawCell(const Field& cell, DWORD i, DWORD j) {
    static const OrientedScales scales;
    float lift = cell.shape == 1 ? kTopHeight : 0.0f;
    const D3DXMATRIX& turned = scales.byOrientation[cell.orientation < 4 ? cell.orientation : 0];
    scene.selectQuad(kShapeQuads[cell.shape]);
    scene.setWorld(composeMatrices(translationMatrix(cellCentre(i), lift, cellCentre(j)), turned));
    scene.drawQuad(cell.map);
}

// The walls an edge cell emits: side walls from column 0, end walls from row 0,
// each facing into the grid.
void drawWalls(const TrackDocument& track, DWORD i, DWORD j) {
    DWORD wallMap = track.header.borderMap;
    float far_x = float(double(track.header.sizeX) * 100.0);
    float far_z = float(double(track.header.sizeY) * 100.0);
    if (i == 0) {
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(0, 0, cellCentre(j)), D3DXVECTOR3(0, -1.57f, 0),
                             kWallWidthScale, kWallHeightScale);
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(far_x, 0, cellCentre(j)),
                             D3DXVECTOR3(0, 1.57f, 0), kWallWidthScale, kWallHeightScale);
    }
    if (j == 0) {
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(cellCentre(i), 0, 0), D3DXVECTOR3(0, -3.14f, 0),
                             kWallWidthScale, kWallHeightScale);
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(cellCentre(i), 0, far_z), D3DXVECTOR3(0, 0, 0),
                             kWallWidthScale, kWallHeightScale);
    }
}

}  // namespace

int fieldPass(const TrackDocument& track) {
    IDirect3DDevice9* device = renderer.device;
    device->SetMaterial(&DefaultMaterial);
    if (!track.loaded) return 0;
    for (DWORD j = 0; j < track.header.sizeY; ++j) {
        for (DWORD i = 0; i < track.header.sizeX; ++i) {
            const Field* cell = track.fieldAt(i, j);
            if (!cell || cell->empty != 0 || cell->shape >= kShapeCount) continue;
            bool selected = isSelected(i, j);
            if (selected) device->SetMaterial(&HighlightFieldMaterial);
            drawCell(*cell, i, j);
            if (selected) device->SetMaterial(&DefaultMaterial);
            scene.selectQuad(BillboardQuad);
            drawWalls(track, i, j);
        }
    }
    return 1;
}
