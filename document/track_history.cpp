#include "track_history.h"

#include <cstring>

#include "history_step.h"
#include "track_document.h"

namespace {

const size_t kRangeOverhead = sizeof(RecordRange) + 64;  // map node and bookkeeping

// Starts recording a kind the step had not touched yet.
KindChange& touch(TrackHistory::Step& step, const TrackDocument& document, RecordKind kind) {
    KindChange& change = step.of(kind);
    if (!change.touched) {
        change.touched = true;
        change.countBefore = currentCount(document, kind);
    }
    return change;
}

// The range that already holds record `index`, or null.
RecordRange* rangeHolding(KindChange& change, DWORD index) {
    auto after = change.ranges.upper_bound(index);
    if (after == change.ranges.begin()) return nullptr;
    RecordRange& range = std::prev(after)->second;
    return index - range.first < range.count ? &range : nullptr;
}

void keepBefore(TrackDocument& document, RecordKind kind, RecordRange& range, DWORD index) {
    range.beforeWriter.push(recordBytes(document, kind, index), &range.before);
    ++range.count;
}

// The after bytes of every range and of the appended records, and what the
// step weighs; false when it changed nothing at all.
bool closeKind(TrackDocument& document, RecordKind kind, KindChange& change, size_t* bytes) {
    size_t size = recordSize(kind);
    change.countAfter = currentCount(document, kind);
    bool changed = change.countAfter != change.countBefore;
    for (auto& entry : change.ranges) {
        RecordRange& range = entry.second;
        range.beforeWriter.finish(&range.before);
        range.after.clear();
        encodeRuns(recordBytes(document, kind, range.first), range.count, size, &range.after);
        changed = changed || range.before != range.after;
        *bytes += range.before.capacity() + range.after.capacity() + kRangeOverhead;
    }
    change.appended.clear();
    if (change.countAfter > change.countBefore)
        encodeRuns(recordBytes(document, kind, change.countBefore),
                   change.countAfter - change.countBefore, size, &change.appended);
    *bytes += change.appended.capacity();
    if (!change.anyRecord) change.firstIndex = change.countBefore;
    return changed;
}

}  // namespace

DWORD currentCount(const TrackDocument& document, RecordKind kind) {
    const TrackHeader& h = document.header;
    if (!document.loaded) return 0;
    switch (kind) {
        case RecordKind::Header:
            return 1;
        case RecordKind::Field:
            return h.fieldCount;
        case RecordKind::Map:
            return h.mapCount;
        case RecordKind::Billboard:
            return h.billboardCount;
        case RecordKind::Border:
            return h.borderCount;
        case RecordKind::Mesh:
            return h.meshCount;
    }
    return 0;
}

unsigned char* recordBytes(TrackDocument& d, RecordKind kind, DWORD index) {
    switch (kind) {
        case RecordKind::Header:
            return reinterpret_cast<unsigned char*>(&d.header);
        case RecordKind::Field:
            return reinterpret_cast<unsigned char*>(d.fields + index);
        case RecordKind::Map:
            return reinterpret_cast<unsigned char*>(d.maps + index);
        case RecordKind::Billboard:
            return reinterpret_cast<unsigned char*>(d.billboards + index);
        case RecordKind::Border:
            return reinterpret_cast<unsigned char*>(d.borders + index);
        case RecordKind::Mesh:
            return reinterpret_cast<unsigned char*>(d.meshes + index);
    }
    return nullptr;
}

TrackHistory::TrackHistory(TrackDocument& document, size_t budgetBytes)
    : document_(document), budget_(budgetBytes) {
    document_.listener = this;
}

TrackHistory::~TrackHistory() {
    if (document_.listener == this) document_.listener = nullptr;
}

void TrackHistory::beginStep(const char* name, uint64_t mergeKey) {
    closeImplicitStep();
    if (depth_++ > 0) return;
    if (mergeKey != 0 && !sealed_ && redo_.empty() && !undo_.empty() &&
        undo_.back()->mergeKey == mergeKey) {
        open_ = std::move(undo_.back());
        undo_.pop_back();
        used_ -= open_->bytes;
        return;
    }
    open_ = std::make_unique<Step>();
    open_->name = name ? name : "";
    open_->mergeKey = mergeKey;
}

StepOutcome TrackHistory::endStep() {
    if (depth_ == 0) return StepOutcome();
    if (--depth_ > 0) return StepOutcome();
    return finishStep();
}

void TrackHistory::closeImplicitStep() {
    if (!implicit_) return;
    implicit_ = false;
    depth_ = 0;
    finishStep();
    sealed_ = true;
}

StepOutcome TrackHistory::finishStep() {
    StepOutcome outcome;
    std::unique_ptr<Step> step = std::move(open_);
    if (!step) return outcome;
    bool changed = false;
    step->bytes = sizeof(Step);
    for (int k = 0; k < kRecordKindCount; ++k) {
        KindChange& change = step->kinds[k];
        if (change.touched)
            changed = closeKind(document_, static_cast<RecordKind>(k), change, &step->bytes) ||
                      changed;
    }
    if (!changed) return outcome;
    outcome.bytes = step->bytes;
    for (const auto& undone : redo_) used_ -= undone->bytes;
    redo_.clear();
    used_ += step->bytes;
    undo_.push_back(std::move(step));
    sealed_ = undo_.back()->mergeKey == 0;
    outcome.droppedOldest = trimToBudget();
    // A step within the budget survives trimming: the older ones go first.
    outcome.tooLarge = outcome.bytes > budget_;
    outcome.kept = !outcome.tooLarge;
    if (outcome.tooLarge) outcome.droppedOldest -= 1;  // itself, not an older one
    return outcome;
}

// Drops the oldest steps until the rest fit; how many went.
size_t TrackHistory::trimToBudget() {
    size_t dropped = 0;
    while (used_ > budget_ && !undo_.empty()) {
        used_ -= undo_.front()->bytes;
        undo_.pop_front();
        ++dropped;
    }
    return dropped;
}

void TrackHistory::willChange(RecordKind kind, DWORD index) {
    if (depth_ == 0) {
        // A change no command announced still becomes a step of its own,
        // closed by whatever the history is asked next.
        beginStep("Change");
        implicit_ = true;
    }
    KindChange& change = touch(*open_, document_, kind);
    if (index >= change.countBefore) return;  // appended by this step
    if (!change.anyRecord) {
        change.anyRecord = true;
        change.firstIndex = index;
    }
    RecordRange* last = change.last;
    if (last && index - last->first < last->count) return;
    if (last && index == last->first + last->count && !rangeHolding(change, index)) {
        keepBefore(document_, kind, *last, index);
        return;
    }
    if (RecordRange* holding = rangeHolding(change, index)) {
        change.last = holding;
        return;
    }
    auto placed = change.ranges.emplace(index, RecordRange(recordSize(kind)));
    change.last = &placed.first->second;
    change.last->first = index;
    keepBefore(document_, kind, *change.last, index);
}

void TrackHistory::willGrow(RecordKind kind) {
    if (depth_ == 0) {
        beginStep("Change");
        implicit_ = true;
    }
    touch(*open_, document_, kind);
}

// A new or loaded track: nothing before it can be undone. A step still
// open keeps running but starts from the new track.
void TrackHistory::trackReplaced() {
    undo_.clear();
    redo_.clear();
    used_ = 0;
    sealed_ = true;
    if (open_) {
        std::string name = open_->name;
        open_ = std::make_unique<Step>();
        open_->name = name;
    }
}

void TrackHistory::clear() {
    closeImplicitStep();
    undo_.clear();
    redo_.clear();
    used_ = 0;
    sealed_ = true;
}

void TrackHistory::setBudget(size_t bytes) {
    budget_ = bytes;
    trimToBudget();
}

const std::string& TrackHistory::undoName() const {
    static const std::string none;
    return undo_.empty() ? none : undo_.back()->name;
}

HistoryResult TrackHistory::undo(StepSummary* summary) {
    return move(undo_, redo_, true, summary);
}

HistoryResult TrackHistory::redo(StepSummary* summary) {
    return move(redo_, undo_, false, summary);
}

HistoryResult TrackHistory::move(std::deque<std::unique_ptr<Step>>& from,
                                 std::deque<std::unique_ptr<Step>>& to, bool toBefore,
                                 StepSummary* summary) {
    closeImplicitStep();
    if (depth_ > 0) return HistoryResult::StepOpen;
    if (from.empty()) return HistoryResult::NothingToDo;
    Step& step = *from.back();
    HistoryResult result = applyStep(document_, step, toBefore);
    if (result == HistoryResult::Mismatch) clear();
    if (result != HistoryResult::Done) return result;
    sealed_ = true;
    if (summary) {
        summary->name = step.name;
        for (int k = 0; k < kRecordKindCount; ++k) {
            const KindChange& change = step.kinds[k];
            StepSummary::Kind& kind = summary->kinds[k];
            kind.changed = change.touched;
            kind.resized = change.countBefore != change.countAfter;
            kind.firstIndex = change.firstIndex;
        }
    }
    to.push_back(std::move(from.back()));
    from.pop_back();
    return HistoryResult::Done;
}
