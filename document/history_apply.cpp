// Putting the track into the state before or after a step: arrays that the
// step grew are shrunk or grown again, then every changed range is written
// from its runs. All memory is taken before the first byte changes.
#include <cstring>
#include <new>
#include <vector>

#include "history_step.h"
#include "track_document.h"

namespace {

// A replacement array for a kind the step resized, built aside.
struct NewArray {
    RecordKind kind;
    void* block;
    DWORD count;
};

template <typename Record>
void* copyResized(const Record* old, DWORD oldCount, DWORD count) {
    Record* block = new (std::nothrow) Record[count]();
    if (block) std::memcpy(block, old, sizeof(Record) * (oldCount < count ? oldCount : count));
    return block;
}

template <typename Record>
void install(Record*& array, DWORD& count, const NewArray& made) {
    delete[] array;
    array = static_cast<Record*>(made.block);
    count = made.count;
}

template <typename Record>
void discard(void* block) {
    delete[] static_cast<Record*>(block);
}

void* resizedCopy(TrackDocument& d, RecordKind kind, DWORD count) {
    const TrackHeader& h = d.header;
    switch (kind) {
        case RecordKind::Map:
            return copyResized(d.maps, h.mapCount, count);
        case RecordKind::Billboard:
            return copyResized(d.billboards, h.billboardCount, count);
        case RecordKind::Border:
            return copyResized(d.borders, h.borderCount, count);
        case RecordKind::Mesh:
            return copyResized(d.meshes, h.meshCount, count);
        default:
            return nullptr;  // the grid and the header never change length
    }
}

void installArray(TrackDocument& d, const NewArray& made) {
    TrackHeader& h = d.header;
    switch (made.kind) {
        case RecordKind::Map:
            return install(d.maps, h.mapCount, made);
        case RecordKind::Billboard:
            return install(d.billboards, h.billboardCount, made);
        case RecordKind::Border:
            return install(d.borders, h.borderCount, made);
        case RecordKind::Mesh:
            return install(d.meshes, h.meshCount, made);
        default:
            return;
    }
}

void discardArray(const NewArray& made) {
    switch (made.kind) {
        case RecordKind::Map:
            return discard<MapEntry>(made.block);
        case RecordKind::Billboard:
            return discard<Billboard>(made.block);
        case RecordKind::Border:
            return discard<Border>(made.block);
        case RecordKind::Mesh:
            return discard<MeshPlacement>(made.block);
        default:
            return;
    }
}

// Whether the document is in the state the step starts from, and every
// range and run fits it: a history that does not match is never written.
bool stepFits(const TrackDocument& d, TrackHistory::Step& step, bool toBefore) {
    for (int k = 0; k < kRecordKindCount; ++k) {
        const KindChange& change = step.kinds[k];
        if (!change.touched) continue;
        RecordKind kind = static_cast<RecordKind>(k);
        DWORD from = toBefore ? change.countAfter : change.countBefore;
        if (currentCount(d, kind) != from || change.countAfter < change.countBefore) return false;
        for (const auto& entry : change.ranges) {
            const RecordRange& range = entry.second;
            if (range.first + uint64_t(range.count) > change.countBefore) return false;
            const RunBytes& runs = toBefore ? range.before : range.after;
            if (runRecordCount(runs, recordSize(kind)) != range.count) return false;
        }
        if (runRecordCount(change.appended, recordSize(kind)) !=
            change.countAfter - change.countBefore)
            return false;
    }
    return true;
}

bool buildArrays(TrackDocument& d, TrackHistory::Step& step, bool toBefore,
                 std::vector<NewArray>* made) {
    for (int k = 0; k < kRecordKindCount; ++k) {
        const KindChange& change = step.kinds[k];
        if (!change.touched || change.countBefore == change.countAfter) continue;
        RecordKind kind = static_cast<RecordKind>(k);
        DWORD count = toBefore ? change.countBefore : change.countAfter;
        void* block = resizedCopy(d, kind, count);
        if (!block) return false;
        made->push_back(NewArray{kind, block, count});
        if (!toBefore) {
            size_t size = recordSize(kind);
            unsigned char* tail = static_cast<unsigned char*>(block) + size * change.countBefore;
            decodeRuns(change.appended, size, tail, change.countAfter - change.countBefore);
        }
    }
    return true;
}

// The header's counts belong to the arrays, which are already in place; the
// rest of the header comes from the step.
void writeHeader(TrackDocument& d, const RunBytes& runs) {
    TrackHeader counts = d.header;
    decodeRuns(runs, sizeof(TrackHeader), reinterpret_cast<unsigned char*>(&d.header), 1);
    d.header.sizeX = counts.sizeX;
    d.header.sizeY = counts.sizeY;
    d.header.fieldCount = counts.fieldCount;
    d.header.mapCount = counts.mapCount;
    d.header.billboardCount = counts.billboardCount;
    d.header.borderCount = counts.borderCount;
    d.header.meshCount = counts.meshCount;
}

void writeRanges(TrackDocument& d, TrackHistory::Step& step, bool toBefore) {
    for (int k = 0; k < kRecordKindCount; ++k) {
        RecordKind kind = static_cast<RecordKind>(k);
        for (auto& entry : step.kinds[k].ranges) {
            const RecordRange& range = entry.second;
            const RunBytes& runs = toBefore ? range.before : range.after;
            if (kind == RecordKind::Header)
                writeHeader(d, runs);
            else
                decodeRuns(runs, recordSize(kind), recordBytes(d, kind, range.first), range.count);
        }
    }
}

}  // namespace

HistoryResult applyStep(TrackDocument& document, TrackHistory::Step& step, bool toBefore) {
    if (!stepFits(document, step, toBefore)) return HistoryResult::Mismatch;
    std::vector<NewArray> made;
    made.reserve(kRecordKindCount);
    if (!buildArrays(document, step, toBefore, &made)) {
        for (const NewArray& array : made) discardArray(array);
        return HistoryResult::OutOfMemory;
    }
    for (const NewArray& array : made) installArray(document, array);
    writeRanges(document, step, toBefore);
    return HistoryResult::Done;
}
