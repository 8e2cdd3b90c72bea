// How much of a track file that ends early is whole: the records the header
// announces against those the file holds completely, so the editor can offer
// to load what is there and trk can report it.
#ifndef KELVANE_DOCUMENT_TRACK_DAMAGE_H
#define KELVANE_DOCUMENT_TRACK_DAMAGE_H

#include <windows.h>

#include <cstdint>

#include "track_records.h"

struct TrackDamage {
    // Whole records per array.
    DWORD maps = 0, fields = 0, billboards = 0, borders = 0, meshes = 0;
    // What the header announces: field records, and the other four together.
    DWORD cellCount = 0;
    uint64_t recordCount = 0;

    // Field records ("cells") and the other four kinds together ("records").
    DWORD completeCells() const { return fields; }
    uint64_t completeRecords() const {
        return uint64_t(maps) + billboards + borders + meshes;
    }
    bool isComplete() const {
        return completeCells() == cellCount && completeRecords() == recordCount;
    }
};

// The records of each array that lie whole within the first fileSize bytes of
// a file with this header. A file at least as long as the header asks for
// holds them all.
TrackDamage measureTrackDamage(const TrackHeader& header, uint64_t fileSize);

#endif
