#include "ground_index.h"

#include <algorithm>
#include <cmath>

namespace {

// Tiles first to last - 1 along one axis that a span, widened by a tile
// either side, reaches; empty beyond the tiled area.
void tilesOver(Span span, uint32_t* first, uint32_t* last) {
    const double size = GroundIndex::kTileSize, count = GroundIndex::kTilesASide;
    double lo = std::floor((span.lo - size) / size), hi = std::floor((span.hi + size) / size) + 1;
    lo = std::max(lo, 0.0);
    hi = std::min(hi, count);
    *first = lo < hi ? uint32_t(lo) : 0;
    *last = lo < hi ? uint32_t(hi) : 0;
}

void dropFrom(std::vector<DWORD>& list, DWORD index) {
    auto found = std::find(list.begin(), list.end(), index);
    if (found == list.end()) return;
    *found = list.back();
    list.pop_back();
}

}  // namespace

void GroundIndex::clear() {
    placeOf_.clear();
    for (std::vector<DWORD>& tile : tiles_) tile.clear();
    loose_.clear();
}

uint32_t GroundIndex::placeFor(const ObjectBounds& bounds) {
    if (bounds.kind == BoundKind::Unused) return kNowhere;
    const WorldBox& box = bounds.box;
    const double reach = 2 * kTileSize, extent = kTileSize * kTilesASide;
    if (bounds.kind != BoundKind::Box || box.hi[0] - box.lo[0] > reach ||
        box.hi[2] - box.lo[2] > reach)
        return kLoose;
    const double x = (box.lo[0] + box.hi[0]) / 2, z = (box.lo[2] + box.hi[2]) / 2;
    if (!(x >= 0 && x < extent && z >= 0 && z < extent)) return kLoose;
    return uint32_t(x / kTileSize) * kTilesASide + uint32_t(z / kTileSize);
}

// Counts first, so each tile's list is allocated once.
void GroundIndex::fillFromPlaces() {
    std::vector<uint32_t> counts(tiles_.size() + 1, 0);
    const size_t looseCount = tiles_.size();
    for (uint32_t place : placeOf_)
        if (place != kNowhere) ++counts[place == kLoose ? looseCount : place];
    for (size_t t = 0; t < tiles_.size(); ++t) tiles_[t].reserve(counts[t]);
    loose_.reserve(counts[looseCount]);
    for (size_t k = 0; k < placeOf_.size(); ++k)
        if (placeOf_[k] != kNowhere) listFor(placeOf_[k]).push_back(DWORD(k));
}

void GroundIndex::remove(DWORD index) {
    if (index >= placeOf_.size() || placeOf_[index] == kNowhere) return;
    dropFrom(listFor(placeOf_[index]), index);
    placeOf_[index] = kNowhere;
}

void GroundIndex::file(DWORD index, const ObjectBounds& bounds) {
    remove(index);
    const uint32_t place = placeFor(bounds);
    if (place == kNowhere) return;
    if (index >= placeOf_.size()) placeOf_.resize(size_t(index) + 1, kNowhere);
    placeOf_[index] = place;
    listFor(place).push_back(index);
}

// A record lies at most one tile from the tile of its centre, so the tiles
// one beyond the rectangle are asked too.
void GroundIndex::gather(Span x, Span z, std::vector<DWORD>* out) const {
    out->insert(out->end(), loose_.begin(), loose_.end());
    if (x.empty() || z.empty()) return;
    uint32_t x0, x1, z0, z1;
    tilesOver(x, &x0, &x1);
    tilesOver(z, &z0, &z1);
    for (uint32_t tx = x0; tx < x1; ++tx)
        for (uint32_t tz = z0; tz < z1; ++tz) {
            const std::vector<DWORD>& tile = tiles_[tx * kTilesASide + tz];
            out->insert(out->end(), tile.begin(), tile.end());
        }
}
