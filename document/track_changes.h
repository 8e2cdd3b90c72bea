// Who hears about a change of the track before it happens: the history
// keeps the records a command is about to overwrite. The document calls the
// listener from every setter, add operation and whole-track replacement; the
// drawing passes and the file reader never change records, so they do not.
#ifndef KELVANE_DOCUMENT_TRACK_CHANGES_H
#define KELVANE_DOCUMENT_TRACK_CHANGES_H

#include <windows.h>

#include <cstddef>

// The header counts as one record of its own kind, index 0.
enum class RecordKind { Header, Field, Map, Billboard, Border, Mesh };
const int kRecordKindCount = 6;

// Bytes of one record of the kind.
size_t recordSize(RecordKind kind);

class TrackChangeListener {
public:
    virtual ~TrackChangeListener() = default;
    // Record `index` of the kind is about to be written; it still holds its
    // old bytes.
    virtual void willChange(RecordKind kind, DWORD index) = 0;
    // The array of the kind is about to grow by one slot at its end.
    virtual void willGrow(RecordKind kind) = 0;
    // The whole track was created, loaded or destroyed.
    virtual void trackReplaced() = 0;
};

#endif
