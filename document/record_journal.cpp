#include "record_journal.h"

namespace {

uint64_t lastEra = 0;

}  // namespace

void RecordJournal::restart() {
    era_ = ++lastEra;
    position_ = 0;
}

void RecordJournal::note(RecordKind kind, DWORD index) {
    // No merging with the entry before: a reader may have read that one
    // already, and would miss this change.
    ring_[position_ % kCapacity] = {kind, index};
    ++position_;
}
