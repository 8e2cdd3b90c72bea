// The history's private view of one step: per record kind the ranges of
// records it changed, each with its bytes before and after as runs, and the
// records it appended. Shared by recording (track_history.cpp) and applying
// (history_apply.cpp).
#ifndef KELVANE_DOCUMENT_HISTORY_STEP_H
#define KELVANE_DOCUMENT_HISTORY_STEP_H

#include "track_history.h"

// Records first .. first + count - 1, changed by the step.
struct RecordRange {
    DWORD first = 0;
    DWORD count = 0;
    RunBytes before;
    RunBytes after;
    RunWriter beforeWriter;
    explicit RecordRange(size_t recordSize) : beforeWriter(recordSize) {}
};

struct KindChange {
    bool touched = false;
    DWORD countBefore = 0;
    DWORD countAfter = 0;
    DWORD firstIndex = 0;
    bool anyRecord = false;  // firstIndex holds a changed record
    std::map<DWORD, RecordRange> ranges;  // by first
    RecordRange* last = nullptr;          // where the previous change went
    RunBytes appended;                    // records countBefore .. countAfter - 1
};

struct TrackHistory::Step {
    std::string name;
    uint64_t mergeKey = 0;
    KindChange kinds[kRecordKindCount];
    size_t bytes = 0;
    KindChange& of(RecordKind kind) { return kinds[static_cast<int>(kind)]; }
};

// The count of records of the kind the document holds now.
DWORD currentCount(const TrackDocument& document, RecordKind kind);
// The first byte of record `index` of the kind.
unsigned char* recordBytes(TrackDocument& document, RecordKind kind, DWORD index);

// Puts the document into the state before (toBefore) or after the step.
// Memory for grown arrays is taken first, so a failure changes nothing.
HistoryResult applyStep(TrackDocument& document, TrackHistory::Step& step, bool toBefore);

#endif
