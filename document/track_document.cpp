#include "track_document.h"

#include <cstring>
#include <utility>

#include "track_arrays.h"

TrackDocument trackDocument;

namespace {

constexpr char kTrackMagic[8] = {'M', 'T', 'R', 'A', 'C', 'K', '0', '0'};

void setDefaults(const TrackHeader& header, TrackArrays& arrays) {
    for (DWORD k = 0; k < header.fieldCount; ++k) arrays.fields[k].empty = kSlotUnused;
    for (DWORD k = 0; k < header.mapCount; ++k) arrays.maps[k].empty = kSlotUnused;
    for (DWORD k = 0; k < header.billboardCount; ++k) {
        Billboard& b = arrays.billboards[k];
        b.empty = kSlotUnused;
        b.scaleX = b.scaleY = 100;
    }
    for (DWORD k = 0; k < header.borderCount; ++k) arrays.borders[k].empty = kSlotUnused;
    for (DWORD k = 0; k < header.meshCount; ++k) {
        MeshPlacement& m = arrays.meshes[k];
        m.empty = kSlotUnused;
        m.scaleX = m.scaleY = m.scaleZ = 100;
    }
}

}  // namespace

size_t recordSize(RecordKind kind) {
    switch (kind) {
        case RecordKind::Header:
            return sizeof(TrackHeader);
        case RecordKind::Field:
            return sizeof(Field);
        case RecordKind::Map:
            return sizeof(MapEntry);
        case RecordKind::Billboard:
            return sizeof(Billboard);
        case RecordKind::Border:
            return sizeof(Border);
        case RecordKind::Mesh:
            return sizeof(MeshPlacement);
    }
    return 0;
}

const char* trackErrorText(TrackError error) {
    switch (error) {
        case TrackError::None:
            return "no error";
        case TrackError::NoTrack:
            return "no track";
        case TrackError::TooLarge:
            return "track too large";
        case TrackError::OutOfMemory:
            return "out of memory";
        case TrackError::CannotOpen:
            return "cannot open";
        case TrackError::TooShort:
            return "not a track file (too short)";
        case TrackError::Truncated:
            return "truncated";
        case TrackError::InconsistentCounts:
            return "inconsistent counts";
        case TrackError::ReadFailed:
            return "read failed";
        case TrackError::WriteFailed:
            return "write failed";
    }
    return "unknown error";
}

TrackDocument::~TrackDocument() {
    destroyTrack();
}

int TrackDocument::refuse(TrackError reason) {
    failure = reason;
    return 0;
}

int TrackDocument::settle(TrackError result) {
    return result == TrackError::None ? 1 : refuse(result);
}

void TrackDocument::swapArrays(TrackArrays& arrays) {
    std::swap(fields, arrays.fields);
    std::swap(maps, arrays.maps);
    std::swap(billboards, arrays.billboards);
    std::swap(borders, arrays.borders);
    std::swap(meshes, arrays.meshes);
}

void TrackDocument::adopt(const TrackHeader& newHeader, TrackArrays& arrays) {
    header = newHeader;
    swapArrays(arrays);
    arrays.release();
    loaded = 1;
    failure = TrackError::None;
    if (listener) listener->trackReplaced();
}

// Builds the whole new track aside, so a refused size leaves the old one.
int TrackDocument::createTrack(DWORD sizeX, DWORD sizeY, DWORD mapCount, DWORD billboardCount,
                               DWORD borderCount, DWORD meshCount) {
    if (uint64_t(sizeX) * sizeY > kMaxCells) return refuse(TrackError::TooLarge);
    TrackHeader next = {};
    std::memcpy(next.magic, kTrackMagic, sizeof next.magic);
    next.sizeX = sizeX;
    next.sizeY = sizeY;
    next.fieldCount = sizeX * sizeY;
    next.mapCount = mapCount;
    next.billboardCount = billboardCount;
    next.borderCount = borderCount;
    next.meshCount = meshCount;
    TrackError counts = checkTrackCounts(next);
    if (counts != TrackError::None) return refuse(counts);
    TrackArrays arrays;
    if (!arrays.allocate(next)) return refuse(TrackError::OutOfMemory);
    setDefaults(next, arrays);
    adopt(next, arrays);
    return 1;
}

// The header keeps its last values; only the arrays go.
void TrackDocument::destroyTrack() {
    if (!loaded) return;
    TrackArrays old;
    swapArrays(old);
    loaded = 0;
    if (listener) listener->trackReplaced();
}

DWORD TrackDocument::getSizeX() const {
    return loaded ? header.sizeX : 0;
}
DWORD TrackDocument::getSizeY() const {
    return loaded ? header.sizeY : 0;
}
DWORD TrackDocument::getMapCount() const {
    return loaded ? header.mapCount : 0;
}

Field* TrackDocument::fieldAt(DWORD i, DWORD j) const {
    if (!loaded || i >= header.sizeX || j >= header.sizeY) return nullptr;
    // fieldCount >= sizeX * sizeY holds for every track built or loaded.
    return &fields[size_t(i) + size_t(j) * header.sizeX];
}

MapEntry* TrackDocument::mapAt(DWORD index) const {
    return loaded && index < header.mapCount ? &maps[index] : nullptr;
}

Billboard* TrackDocument::billboardAt(DWORD index) const {
    return loaded && index < header.billboardCount ? &billboards[index] : nullptr;
}

Border* TrackDocument::borderAt(DWORD index) const {
    return loaded && index < header.borderCount ? &borders[index] : nullptr;
}

MeshPlacement* TrackDocument::meshAt(DWORD index) const {
    return loaded && index < header.meshCount ? &meshes[index] : nullptr;
}
