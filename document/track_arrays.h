// The five record arrays of a track as one unit, so a new track can be built
// completely before it replaces the current one.
#ifndef KELVANE_DOCUMENT_TRACK_ARRAYS_H
#define KELVANE_DOCUMENT_TRACK_ARRAYS_H

#include <cstdint>

#include "track_document.h"

struct TrackArrays {
    Field* fields = nullptr;
    MapEntry* maps = nullptr;
    Billboard* billboards = nullptr;
    Border* borders = nullptr;
    MeshPlacement* meshes = nullptr;

    TrackArrays() = default;
    ~TrackArrays() { release(); }
    TrackArrays(const TrackArrays&) = delete;
    TrackArrays& operator=(const TrackArrays&) = delete;

    // Arrays for the header's counts, zero-filled or (for a reader that
    // writes every byte) not; false, with nothing held, when memory runs out.
    enum Fill { Zeroed, Unfilled };
    bool allocate(const TrackHeader& counts, Fill fill = Zeroed);
    void release();
};

// Whether a header describes a track this program may build: TooLarge for a
// side, cell count or record count beyond kMaxCells or kMaxRecords,
// InconsistentCounts for fewer fields than cells.
TrackError checkTrackCounts(const TrackHeader& header);

// The length of the .trk file of a track with these counts.
uint64_t trackFileSize(const TrackHeader& header);

#endif
