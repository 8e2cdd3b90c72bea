// Which billboards, borders and mesh placements have changed, for whatever
// keeps something derived from them (the renderer's index of where objects
// lie) to bring it up to date in time proportional to the changes.
//
// The document notes every change its own operations make; code that writes
// records in some other way must call TrackDocument::noteRecordChanged (or
// noteAllRecordsChanged) itself. The journal is not part of the track: it is
// never saved and does not change the records.
#ifndef KELVANE_DOCUMENT_RECORD_JOURNAL_H
#define KELVANE_DOCUMENT_RECORD_JOURNAL_H

#include <windows.h>

#include <cstdint>

#include "track_changes.h"

struct RecordChange {
    RecordKind kind;
    DWORD index;
};

class RecordJournal {
public:
    // The most recent changes kept; a reader further behind starts over.
    static constexpr uint32_t kCapacity = 4096;

    RecordJournal() { restart(); }

    // Every record may have changed (a new or loaded track). Each restart
    // gives the journal an era no journal has had before.
    void restart();
    void note(RecordKind kind, DWORD index);

    uint64_t era() const { return era_; }
    // How many changes were noted since the last restart.
    uint64_t position() const { return position_; }
    // Whether a reader at `seen` in this era can still read every change
    // since; if not, it must start over.
    bool canReplayFrom(uint64_t era, uint64_t seen) const {
        return era == era_ && seen <= position_ && position_ - seen <= kCapacity;
    }
    // The change at a position that canReplayFrom allows.
    RecordChange at(uint64_t position) const { return ring_[position % kCapacity]; }

private:
    uint64_t era_ = 0;
    uint64_t position_ = 0;
    RecordChange ring_[kCapacity];
};

#endif
