#include "visible_objects.h"

#include <algorithm>

#include "ground_index.h"
#include "object_bounds.h"

namespace {

struct BillboardKind {
    static constexpr RecordKind kind = RecordKind::Billboard;
    static DWORD count(const TrackDocument& t) { return t.header.billboardCount; }
    static ObjectBounds bounds(const TrackDocument& t, DWORD k) {
        return billboardBounds(t.billboards[k]);
    }
};

struct BorderKind {
    static constexpr RecordKind kind = RecordKind::Border;
    static DWORD count(const TrackDocument& t) { return t.header.borderCount; }
    static ObjectBounds bounds(const TrackDocument& t, DWORD k) {
        return borderBounds(t.borders[k]);
    }
};

// One kind's index and how far into the document's journal it has read.
struct KindIndex {
    GroundIndex index;
    uint64_t era = 0;
    uint64_t seen = 0;
    std::vector<DWORD> candidates;
    std::vector<DWORD> visible;
};

template <typename Kind>
void rebuild(KindIndex& cache, const TrackDocument& track) {
    cache.index.fileAll(Kind::count(track), [&](DWORD k) { return Kind::bounds(track, k); });
}

// Refiles the records changed since the index last read the journal.
template <typename Kind>
void catchUp(KindIndex& cache, const TrackDocument& track) {
    const RecordJournal& journal = track.journal;
    if (!journal.canReplayFrom(cache.era, cache.seen)) {
        rebuild<Kind>(cache, track);
    } else {
        const DWORD count = Kind::count(track);
        for (uint64_t p = cache.seen; p < journal.position(); ++p) {
            RecordChange change = journal.at(p);
            if (change.kind != Kind::kind) continue;
            ObjectBounds bounds = {BoundKind::Unused, {}};
            if (change.index < count) bounds = Kind::bounds(track, change.index);
            cache.index.file(change.index, bounds);
        }
    }
    cache.era = journal.era();
    cache.seen = journal.position();
}

template <typename Kind>
const std::vector<DWORD>& visible(KindIndex& cache, const TrackDocument& track,
                                  const ViewVolume& volume) {
    std::vector<DWORD>& candidates = cache.candidates;
    candidates.clear();
    const DWORD count = track.loaded ? Kind::count(track) : 0;
    if (count <= kScanLimit || !volume.bounded()) {
        cache.era = 0;  // the index is stale from here on
        for (DWORD k = 0; k < count; ++k) candidates.push_back(k);
    } else {
        catchUp<Kind>(cache, track);
        cache.index.gather(volume.extent(0), volume.extent(2), &candidates);
        std::sort(candidates.begin(), candidates.end());
    }
    cache.visible.clear();
    for (DWORD k : candidates) {
        if (k >= count) continue;
        const ObjectBounds bounds = Kind::bounds(track, k);
        if (bounds.kind == BoundKind::Extreme ||
            (bounds.kind == BoundKind::Box && volume.mayShow(bounds.box)))
            cache.visible.push_back(k);
    }
    return cache.visible;
}

KindIndex billboardIndex;
KindIndex borderIndex;

}  // namespace

const std::vector<DWORD>& visibleBillboards(const TrackDocument& track, const ViewVolume& volume) {
    return visible<BillboardKind>(billboardIndex, track, volume);
}

const std::vector<DWORD>& visibleBorders(const TrackDocument& track, const ViewVolume& volume) {
    return visible<BorderKind>(borderIndex, track, volume);
}
