// The billboards and borders a view volume may show, found through a ground
// index per kind that is kept up to date from the document's journal of
// changes: rebuilt when the track is new or loaded (or too much changed at
// once), otherwise brought up to date by refiling only the changed records.
//
// Arrays of up to kScanLimit records are not indexed but tested record by
// record: cheap at that size, and right whatever wrote the records.
#ifndef KELVANE_RENDER_VISIBLE_OBJECTS_H
#define KELVANE_RENDER_VISIBLE_OBJECTS_H

#include <windows.h>

#include <vector>

#include "track_document.h"
#include "view_volume.h"

constexpr DWORD kScanLimit = 1024;

// Indices of the used records the volume may show, ascending: the order the
// passes draw in. Valid until the next call for the same kind.
const std::vector<DWORD>& visibleBillboards(const TrackDocument& track, const ViewVolume& volume);
const std::vector<DWORD>& visibleBorders(const TrackDocument& track, const ViewVolume& volume);

#endif
