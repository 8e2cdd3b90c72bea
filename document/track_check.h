// What `trk check` finds in a track before it is shared: files it names that
// are not there, maps nothing uses, borders and objects off the grid, a race
// without a start or stop border, cells whose map does not exist.
#ifndef KELVANE_DOCUMENT_TRACK_CHECK_H
#define KELVANE_DOCUMENT_TRACK_CHECK_H

#include <string>
#include <vector>

#include "track_document.h"

struct TrackProblem {
    std::string kind;     // a fixed word for scripts, e.g. "missing-file"
    std::string message;  // one line for people
};

// Every problem of a loaded track whose files live in `folder` (the track's
// own folder, "." for the current one), in the order of the records.
std::vector<TrackProblem> checkTrack(const TrackDocument& track, const char* folder);

// A stored name as text, bytes outside printable ASCII (and the quote and
// backslash, so the text reads back one way) as \xNN; never reads past the
// field.
std::string printableName(const char* bytes, size_t size);

#endif
