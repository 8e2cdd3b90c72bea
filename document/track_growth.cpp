// addMap, addBillboard, addBorder, addMesh: each grows its array by exactly
// one slot at the end, so every existing slot keeps its index and contents.
#include <cstring>
#include <new>

#include "track_document.h"

namespace {

// Builds the grown block completely before the old one is released, so a
// failed allocation leaves the array, its count and every slot as they were.
template <typename Record, typename Copy, typename Init>
TrackError growArray(DWORD loaded, Record*& array, DWORD& count, Copy copySlot, Init initNewSlot) {
    if (!loaded) return TrackError::NoTrack;
    if (count >= kMaxRecords) return TrackError::TooLarge;
    Record* grown = new (std::nothrow) Record[size_t(count) + 1]();
    if (!grown) return TrackError::OutOfMemory;
    for (DWORD k = 0; k < count; ++k) copySlot(grown[k], array[k]);
    initNewSlot(grown[count]);
    delete[] array;
    array = grown;
    ++count;
    return TrackError::None;
}

template <typename Record>
void copyWhole(Record& to, const Record& from) {
    to = from;
}

// A map slot carries over its `empty` word and its name with the terminator;
// the reserved word and the bytes behind the terminator start at zero.
void copyMapName(MapEntry& to, const MapEntry& from) {
    to.empty = from.empty;
    const void* end = std::memchr(from.fileName, '\0', sizeof from.fileName);
    size_t length = end ? static_cast<const char*>(end) - from.fileName + 1 : sizeof from.fileName;
    std::memcpy(to.fileName, from.fileName, length);
}

}  // namespace

int TrackDocument::addMap() {
    // Growing rewrites every map slot (the bytes behind each name start at
    // zero again), so all of them are announced, not only the new one.
    if (loaded && listener) {
        listener->willGrow(RecordKind::Map);
        for (DWORD k = 0; k < header.mapCount; ++k) noteChange(RecordKind::Map, k);
    }
    return settle(growArray(loaded, maps, header.mapCount, copyMapName,
                            [](MapEntry& m) { m.empty = kSlotUnused; }));
}

int TrackDocument::addBillboard() {
    if (loaded && listener) listener->willGrow(RecordKind::Billboard);
    return settle(growArray(loaded, billboards, header.billboardCount, copyWhole<Billboard>,
                            [](Billboard& b) {
                                b.empty = kSlotUnused;
                                b.scaleX = b.scaleY = 100;
                            }));
}

int TrackDocument::addBorder() {
    if (loaded && listener) listener->willGrow(RecordKind::Border);
    return settle(growArray(loaded, borders, header.borderCount, copyWhole<Border>,
                            [](Border& b) { b.empty = kSlotUnused; }));
}

int TrackDocument::addMesh() {
    if (loaded && listener) listener->willGrow(RecordKind::Mesh);
    return settle(
        growArray(loaded, meshes, header.meshCount, copyWhole<MeshPlacement>, [](MeshPlacement& m) {
            m.empty = kSlotUnused;
            m.scaleX = m.scaleY = m.scaleZ = 100;
        }));
}
