// Where a field cell's surface lies in the world: the quad of its shape,
// stretched to 100 x 100, turned by its orientation and lifted, exactly as
// the field pass draws it. Picking and the hover outline use the same
// corners the pass places.
#ifndef KELVANE_RENDER_CELL_SURFACE_H
#define KELVANE_RENDER_CELL_SURFACE_H

#include <windows.h>
#include <d3dx9.h>

#include "quads.h"
#include "track_document.h"

constexpr float kCellSize = 100.0f;
constexpr float kTopHeight = 25.0f;
// Quarter turns as written, not multiples of pi: tracks were laid out with
// these exact angles.
constexpr float kQuarterTurns[4] = {0.0f, 1.57f, 3.14f, 4.71f};
constexpr int kShapeQuads[5] = {FlatQuad, FlatQuad, SlopeQuad, Corner1Quad, Corner2Quad};
constexpr DWORD kShapeCount = 5;

// True when the pass draws this cell (in use, a known shape).
bool cellIsDrawn(const Field& cell);

// The world position of the four corners of the drawn cell (i, j), in the
// quad's vertex order (drawn as a fan: 0 1 2 and 0 2 3).
void cellCorners(const Field& cell, DWORD i, DWORD j, D3DXVECTOR3 corners[4]);

#endif
