// Undo and redo of the track: each step keeps only the records a command
// changed, as they were before and after it (as runs, see record_runs.h),
// plus the counts of arrays that grew. Steps are opened and closed around
// commands; the document tells the history, through TrackChangeListener,
// which records are about to change. Plain C++: no window knows of it.
#ifndef KELVANE_DOCUMENT_TRACK_HISTORY_H
#define KELVANE_DOCUMENT_TRACK_HISTORY_H

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "record_runs.h"
#include "track_changes.h"

struct TrackDocument;

const size_t kDefaultHistoryBudget = size_t(256) << 20;

// What an undo or redo changed, so the editor can show it: per kind whether
// records changed, whether the array's length changed, and the first record
// the step touched.
struct StepSummary {
    std::string name;
    struct Kind {
        bool changed = false;
        bool resized = false;
        DWORD firstIndex = 0;
    } kinds[kRecordKindCount];
    const Kind& of(RecordKind kind) const { return kinds[static_cast<int>(kind)]; }
};

enum class HistoryResult {
    Done,
    NothingToDo,  // no step to undo or redo
    StepOpen,     // a command is still running
    OutOfMemory,  // the track is as it was
    Mismatch,     // the track no longer matches the step; the history was cleared
};

// How a closed step fared.
struct StepOutcome {
    bool kept = false;       // false: it changed nothing, or was too large to keep
    bool tooLarge = false;   // changed the track, but alone exceeds the budget
    size_t droppedOldest = 0;
    size_t bytes = 0;
};

class TrackHistory : public TrackChangeListener {
public:
    // Listens to the document until destroyed.
    explicit TrackHistory(TrackDocument& document, size_t budgetBytes = kDefaultHistoryBudget);
    ~TrackHistory() override;
    TrackHistory(const TrackHistory&) = delete;
    TrackHistory& operator=(const TrackHistory&) = delete;

    // Steps nest: only the outermost end closes one. A step opened with the
    // merge key of the last step kept, while that one is not sealed, goes on
    // as the same step (typing "123" into one box is one step).
    void beginStep(const char* name, uint64_t mergeKey = 0);
    StepOutcome endStep();
    bool stepOpen() const { return depth_ > 0; }
    // The next step starts afresh even with the same merge key.
    void seal() { sealed_ = true; }

    HistoryResult undo(StepSummary* summary);
    HistoryResult redo(StepSummary* summary);
    size_t undoCount() const { return undo_.size(); }
    size_t redoCount() const { return redo_.size(); }
    const std::string& undoName() const;
    void clear();

    size_t budget() const { return budget_; }
    void setBudget(size_t bytes);
    size_t bytesUsed() const { return used_; }

    void willChange(RecordKind kind, DWORD index) override;
    void willGrow(RecordKind kind) override;
    void trackReplaced() override;

    struct Step;

private:
    TrackDocument& document_;
    size_t budget_;
    size_t used_ = 0;
    std::deque<std::unique_ptr<Step>> undo_;
    std::deque<std::unique_ptr<Step>> redo_;
    std::unique_ptr<Step> open_;
    int depth_ = 0;
    bool implicit_ = false;  // a change arrived outside any step
    bool sealed_ = true;

    void closeImplicitStep();
    StepOutcome finishStep();
    size_t trimToBudget();
    HistoryResult move(std::deque<std::unique_ptr<Step>>& from,
                       std::deque<std::unique_ptr<Step>>& to, bool toBefore,
                       StepSummary* summary);
};

#endif
