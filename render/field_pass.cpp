// The field grid: one quad per used cell and the walls round the grid.
//
// Cells the editor never writes are handled so that nothing stale is drawn:
// a shape outside 0-4 is skipped with its walls, as if the cell were unused
// (otherwise the previous cell's quad and transform would be drawn again), and
// an orientation outside 0-3 draws unturned rather than with the previous
// cell's turn. Map indices beyond the texture table draw untextured.
#include "passes.h"

#include <algorithm>

#include "cell_surface.h"
#include "grid_view.h"
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

// The walls an edge cell emits, each facing into the grid: side walls from
// column 0, end walls from row 0; only those the view may show.
void drawWalls(const TrackDocument& track, const GridView& view, DWORD i, DWORD j) {
    DWORD wallMap = track.header.borderMap;
    float far_x = float(double(track.header.sizeX) * 100.0);
    float far_z = float(double(track.header.sizeY) * 100.0);
    if (i == 0 && view.sideWallRows(false).contains(j))
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(0, 0, cellCentre(j)), D3DXVECTOR3(0, -1.57f, 0),
                             kWallWidthScale, kWallHeightScale);
    if (i == 0 && view.sideWallRows(true).contains(j))
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(far_x, 0, cellCentre(j)),
                             D3DXVECTOR3(0, 1.57f, 0), kWallWidthScale, kWallHeightScale);
    if (j == 0 && view.endWallColumns(false).contains(i))
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(cellCentre(i), 0, 0), D3DXVECTOR3(0, -3.14f, 0),
                             kWallWidthScale, kWallHeightScale);
    if (j == 0 && view.endWallColumns(true).contains(i))
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(cellCentre(i), 0, far_z), D3DXVECTOR3(0, 0, 0),
                             kWallWidthScale, kWallHeightScale);
}

// Calls visit(k) for every k of the ranges, each once, ascending.
template <typename Visit>
void forEachInUnion(IndexRange* ranges, int count, Visit visit) {
    std::sort(ranges, ranges + count,
              [](const IndexRange& a, const IndexRange& b) { return a.first < b.first; });
    DWORD next = 0;
    for (int r = 0; r < count; ++r) {
        for (DWORD k = std::max(next, ranges[r].first); k < ranges[r].last; ++k) visit(k);
        next = std::max(next, ranges[r].last);
    }
}

// One row as the whole-grid walk would draw it, less what the view cannot
// show: a cell out of view may still emit a wall that is in view.
void drawRow(const TrackDocument& track, const GridView& view, DWORD j) {
    IDirect3DDevice9* device = renderer.device;
    const IndexRange cells = view.cellRows().contains(j) ? view.cellsInRow(j) : IndexRange{0, 0};
    const bool sideWalls =
        view.sideWallRows(false).contains(j) || view.sideWallRows(true).contains(j);
    IndexRange visits[4] = {cells, {0, sideWalls ? 1u : 0u}, {0, 0}, {0, 0}};
    if (j == 0) {
        visits[2] = view.endWallColumns(false);
        visits[3] = view.endWallColumns(true);
    }
    forEachInUnion(visits, 4, [&](DWORD i) {
        const Field* cell = track.fieldAt(i, j);
        if (!cell || cell->empty != 0 || cell->shape >= kShapeCount) return;
        if (cells.contains(i)) {
            bool selected = isSelected(i, j);
            if (selected) device->SetMaterial(&HighlightFieldMaterial);
            drawCell(*cell, i, j);
            if (selected) device->SetMaterial(&DefaultMaterial);
        }
        scene.selectQuad(BillboardQuad);
        drawWalls(track, view, i, j);
    });
}

// The cell that stands for the block of cells i0.. x j0..: the selected
// cell when the block holds it, so the selection still shows, else the one
// in the block's middle.
const Field* blockCell(const TrackDocument& track, DWORD i0, DWORD j0, DWORD wide, DWORD deep,
                       DWORD* i, DWORD* j) {
    *i = i0 + wide / 2;
    *j = j0 + deep / 2;
    if (selectedFieldI >= 0 && selectedFieldJ >= 0 && DWORD(selectedFieldI) - i0 < wide &&
        DWORD(selectedFieldJ) - j0 < deep) {
        *i = DWORD(selectedFieldI);
        *j = DWORD(selectedFieldJ);
    }
    const Field* cell = track.fieldAt(*i, *j);
    if (!cell || cell->empty != 0 || cell->shape >= kShapeCount) return nullptr;
    return cell;
}

// A block's cell stretched over the whole block: the quad is scaled before it
// is turned, so an odd quarter turn swaps which side is which.
void drawBlock(const Field& cell, DWORD i0, DWORD j0, DWORD wide, DWORD deep) {
    const DWORD o = cell.orientation < 4 ? cell.orientation : 0;
    const float along = 10.0f * float(o % 2 ? deep : wide);
    const float across = 10.0f * float(o % 2 ? wide : deep);
    const float lift = cell.shape == 1 ? kTopHeight : 0.0f;
    const float x = float((double(i0) + wide * 0.5) * 100.0);
    const float z = float((double(j0) + deep * 0.5) * 100.0);
    scene.selectQuad(kShapeQuads[cell.shape]);
    scene.setWorld(composeMatrices(translationMatrix(x, lift, z),
                                   composeMatrices(rotationYMatrix(kQuarterTurns[o]),
                                                   scalingMatrix(along, 1, across))));
    scene.drawQuad(cell.map);
}

// The wall ring in pieces a block long, each where the edge cell in the
// middle of the block would raise one.
void drawBlockWalls(const TrackDocument& track, DWORD step) {
    const DWORD sizeX = track.header.sizeX, sizeY = track.header.sizeY;
    const DWORD wallMap = track.header.borderMap;
    const float farX = float(double(sizeX) * 100.0), farZ = float(double(sizeY) * 100.0);
    scene.selectQuad(BillboardQuad);
    for (DWORD j0 = 0; j0 < sizeY; j0 += step) {
        const DWORD deep = std::min(step, sizeY - j0);
        const Field* cell = track.fieldAt(0, j0 + deep / 2);
        if (!cell || cell->empty != 0 || cell->shape >= kShapeCount) continue;
        const float z = float((double(j0) + deep * 0.5) * 100.0), width = 10.0f * deep + 0.1f;
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(0, 0, z), D3DXVECTOR3(0, -1.57f, 0), width,
                             kWallHeightScale);
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(farX, 0, z), D3DXVECTOR3(0, 1.57f, 0), width,
                             kWallHeightScale);
    }
    for (DWORD i0 = 0; i0 < sizeX; i0 += step) {
        const DWORD wide = std::min(step, sizeX - i0);
        const Field* cell = track.fieldAt(i0 + wide / 2, 0);
        if (!cell || cell->empty != 0 || cell->shape >= kShapeCount) continue;
        const float x = float((double(i0) + wide * 0.5) * 100.0), width = 10.0f * wide + 0.1f;
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(x, 0, 0), D3DXVECTOR3(0, -3.14f, 0), width,
                             kWallHeightScale);
        scene.drawPlacedQuad(wallMap, D3DXVECTOR3(x, 0, farZ), D3DXVECTOR3(0, 0, 0), width,
                             kWallHeightScale);
    }
}

}  // namespace

int fieldPass(const TrackDocument& track) {
    return fieldPass(track, ViewVolume::everything());
}

int fieldPass(const TrackDocument& track, const ViewVolume& volume) {
    IDirect3DDevice9* device = renderer.device;
    device->SetMaterial(&DefaultMaterial);
    if (!track.loaded) return 0;
    const DWORD sizeX = track.header.sizeX, sizeY = track.header.sizeY;
    const GridView view(volume, sizeX, sizeY);
    const bool endWalls = !view.endWallColumns(false).empty() || !view.endWallColumns(true).empty();
    IndexRange rows[4] = {view.cellRows(),
                          view.sideWallRows(false),
                          view.sideWallRows(true),
                          {0, endWalls && sizeY > 0 ? 1u : 0u}};
    forEachInUnion(rows, 4, [&](DWORD j) { drawRow(track, view, j); });
    return 1;
}

DWORD coarseStep(DWORD sizeX, DWORD sizeY) {
    const DWORD side = std::max(sizeX, sizeY);
    return side <= kCoarseBlocksASide ? 1 : (side + kCoarseBlocksASide - 1) / kCoarseBlocksASide;
}

int coarseFieldPass(const TrackDocument& track, const ViewVolume& volume, DWORD step) {
    if (step <= 1) return fieldPass(track, volume);
    IDirect3DDevice9* device = renderer.device;
    device->SetMaterial(&DefaultMaterial);
    if (!track.loaded) return 0;
    const DWORD sizeX = track.header.sizeX, sizeY = track.header.sizeY;
    for (DWORD j0 = 0; j0 < sizeY; j0 += step) {
        const DWORD deep = std::min(step, sizeY - j0);
        for (DWORD i0 = 0; i0 < sizeX; i0 += step) {
            const DWORD wide = std::min(step, sizeX - i0);
            DWORD i, j;
            const Field* cell = blockCell(track, i0, j0, wide, deep, &i, &j);
            if (!cell) continue;
            const bool selected = isSelected(i, j);
            if (selected) device->SetMaterial(&HighlightFieldMaterial);
            drawBlock(*cell, i0, j0, wide, deep);
            if (selected) device->SetMaterial(&DefaultMaterial);
        }
    }
    drawBlockWalls(track, step);
    return 1;
}
