// addMap, addBillboard, addBorder, addMesh: each grows its array by exactly
// one slot at the end, so every existing slot keeps its index and contents.
#include <cstring>
#include <new>

#include "track_document.h"

namespace {

// Builds the grown block completely before the old one is released, so a
// failed allocation leaves the array, its count and every slot as they were.
template <typename Record, typename Copy, typename Init>
int growArray(Record*& array, DWORD& count, Copy copySlot, Init initNewSlot) {
    Record* grown = new (std::nothrow) Record[size_t(count) + 1]();
    if (!grown) return 0;
    for (DWORD k = 0; k < count; ++k) copySlot(grown[k], array[k]);
    initNewSlot(grown[count]);
    delete[] array;
    array = grown;
    ++count;
    return 1;
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
    if (!loaded) return refuse(TrackError::NoTrack);
    if (header.mapCount >= kMaxRecords) return refuse(TrackError::TooLarge);
    if (!growArray(maps, header.mapCount, copyMapName, [](MapEntry& m) { m.empty = kSlotUnused; }))
        return refuse(TrackError::OutOfMemory);
    return 1;
}

int TrackDocument::addBillboard() {
    if (!loaded) return refuse(TrackError::NoTrack);
    if (header.billboardCount >= kMaxRecords) return refuse(TrackError::TooLarge);
    if (!growArray(billboards, header.billboardCount, copyWhole<Billboard>, [](Billboard& b) {
            b.empty = kSlotUnused;
            b.scaleX = b.scaleY = 100;
        }))
        return refuse(TrackError::OutOfMemory);
    return 1;
}

int TrackDocument::addBorder() {
    if (!loaded) return refuse(TrackError::NoTrack);
    if (header.borderCount >= kMaxRecords) return refuse(TrackError::TooLarge);
    if (!growArray(borders, header.borderCount, copyWhole<Border>,
                   [](Border& b) { b.empty = kSlotUnused; }))
        return refuse(TrackError::OutOfMemory);
    return 1;
}

int TrackDocument::addMesh() {
    if (!loaded) return refuse(TrackError::NoTrack);
    if (header.meshCount >= kMaxRecords) return refuse(TrackError::TooLarge);
    if (!growArray(meshes, header.meshCount, copyWhole<MeshPlacement>, [](MeshPlacement& m) {
            m.empty = kSlotUnused;
            m.scaleX = m.scaleY = m.scaleZ = 100;
        }))
        return refuse(TrackError::OutOfMemory);
    return 1;
}
