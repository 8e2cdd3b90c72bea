// Where the billboards or the borders of a track lie on the ground plane:
// each record filed in a square tile by the centre of its bounds, so a frame
// asks only the tiles round its view for the records it may show.
#ifndef KELVANE_RENDER_GROUND_INDEX_H
#define KELVANE_RENDER_GROUND_INDEX_H

#include <windows.h>

#include <cstdint>
#include <vector>

#include "object_bounds.h"

class GroundIndex {
public:
    // Side of a tile in world units (about 20 cells). The tiles cover
    // 524,288 units a side from the origin, beyond the largest track. A record
    // centred outside them, reaching further than a tile from its centre, or
    // extreme, is not tiled but kept loose and offered to every frame.
    static constexpr double kTileSize = 2048.0;
    static constexpr uint32_t kTilesASide = 256;

    GroundIndex() : tiles_(kTilesASide * kTilesASide) {}

    void clear();
    // Files records 0 to count - 1 at once, record k by boundsOf(k).
    template <typename BoundsOf>
    void fileAll(DWORD count, BoundsOf boundsOf) {
        clear();
        placeOf_.resize(count);
        for (DWORD k = 0; k < count; ++k) placeOf_[k] = placeFor(boundsOf(k));
        fillFromPlaces();
    }
    // Files record `index` by its bounds, moving it if it was filed before;
    // an unused record is dropped.
    void file(DWORD index, const ObjectBounds& bounds);
    // Appends every record that may lie over the ground rectangle x by z,
    // and every loose one, each once, in no particular order.
    void gather(Span x, Span z, std::vector<DWORD>* out) const;

private:
    static constexpr uint32_t kNowhere = 0xFFFFFFFFu;
    static constexpr uint32_t kLoose = 0xFFFFFFFEu;

    static uint32_t placeFor(const ObjectBounds& bounds);
    void fillFromPlaces();
    void remove(DWORD index);
    std::vector<DWORD>& listFor(uint32_t place) { return place == kLoose ? loose_ : tiles_[place]; }

    std::vector<uint32_t> placeOf_;  // per record: a tile, kLoose or kNowhere
    std::vector<std::vector<DWORD>> tiles_;
    std::vector<DWORD> loose_;
};

#endif
