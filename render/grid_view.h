// Which cells of the field grid, and which pieces of the wall ring round it,
// a view volume can show: grid arithmetic over the volume's ground outline,
// so a frame costs the cells in view and never a test per cell of the grid.
#ifndef KELVANE_RENDER_GRID_VIEW_H
#define KELVANE_RENDER_GRID_VIEW_H

#include <windows.h>

#include "view_volume.h"

// Columns or rows first to last - 1.
struct IndexRange {
    DWORD first;
    DWORD last;
    bool empty() const { return first >= last; }
    bool contains(DWORD k) const { return k >= first && k < last; }
};

class GridView {
public:
    GridView(const ViewVolume& volume, DWORD sizeX, DWORD sizeY);

    // Rows that may hold a visible cell.
    IndexRange cellRows() const { return cellRows_; }
    // Columns of row j whose cell may show.
    IndexRange cellsInRow(DWORD j) const;
    // Rows whose side wall may show, at x = 0 (near) or at the far side.
    IndexRange sideWallRows(bool farSide) const { return sideRows_[farSide]; }
    // Columns whose end wall may show, at z = 0 (near) or at the far end.
    IndexRange endWallColumns(bool farEnd) const { return endColumns_[farEnd]; }

private:
    DWORD sizeX_;
    bool everything_;
    GroundOutline cells_;
    IndexRange cellRows_;
    IndexRange sideRows_[2];
    IndexRange endColumns_[2];
};

#endif
