#include "grid_view.h"

#include <cmath>

namespace {

constexpr double kCellSize = 100.0;
// Field shapes reach 25 units up; walls are 100 high and 101 wide, half a
// unit past their cell at either end.
constexpr double kCellTop = 25.0;
constexpr double kWallTop = 100.0;
constexpr double kWallOverhang = 0.5;
// The walls' quarter turns are 1.57 and 3.14, not exact: a wall stands a
// few hundredths of a unit off its line.
constexpr double kWallSlack = 1.0;

// The cells k (of count) whose span [100 k - pad, 100 k + 100 + pad] meets
// the world span.
IndexRange cellsOver(Span span, DWORD count, double pad) {
    if (span.empty() || count == 0) return {0, 0};
    double first = std::ceil((span.lo - pad) / kCellSize - 1.0);
    double last = std::floor((span.hi + pad) / kCellSize) + 1.0;
    if (!(first < double(count)) || !(last > 0.0)) return {0, 0};
    return {first > 0.0 ? DWORD(first) : 0, last < double(count) ? DWORD(last) : count};
}

}  // namespace

GridView::GridView(const ViewVolume& volume, DWORD sizeX, DWORD sizeY)
    : sizeX_(sizeX), everything_(!volume.bounded()) {
    const IndexRange allRows = {0, sizeY}, allColumns = {0, sizeX};
    if (everything_) {
        cellRows_ = sideRows_[0] = sideRows_[1] = allRows;
        endColumns_[0] = endColumns_[1] = allColumns;
        return;
    }
    cells_ = volume.outlineBetween(0.0, kCellTop);
    cellRows_ = cellsOver(cells_.extent(2), sizeY, kWallSlack);
    const GroundOutline walls = volume.outlineBetween(0.0, kWallTop);
    const double farX = double(float(double(sizeX) * kCellSize));
    const double farZ = double(float(double(sizeY) * kCellSize));
    const double pad = kWallOverhang + kWallSlack;
    // The Windows headers define `far` and `near` away, so the side is `edge`.
    for (int edge = 0; edge < 2; ++edge) {
        double x = edge ? farX : 0.0, z = edge ? farZ : 0.0;
        sideRows_[edge] = cellsOver(walls.across(0, {x - kWallSlack, x + kWallSlack}), sizeY, pad);
        endColumns_[edge] = cellsOver(walls.across(2, {z - kWallSlack, z + kWallSlack}), sizeX, pad);
    }
}

IndexRange GridView::cellsInRow(DWORD j) const {
    if (everything_) return {0, sizeX_};
    double z = double(j) * kCellSize;
    return cellsOver(cells_.across(2, {z, z + kCellSize}), sizeX_, kWallSlack);
}
