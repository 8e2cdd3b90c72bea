#include "track_arrays.h"

#include <new>

namespace {

// new[] of zero records still gives a distinct block, as the heap does.
template <typename T>
T* newArray(DWORD count, TrackArrays::Fill fill) {
    if (fill == TrackArrays::Zeroed) return new (std::nothrow) T[count]();
    return new (std::nothrow) T[count];
}

}  // namespace

bool TrackArrays::allocate(const TrackHeader& counts, Fill fill) {
    release();
    fields = newArray<Field>(counts.fieldCount, fill);
    maps = newArray<MapEntry>(counts.mapCount, fill);
    billboards = newArray<Billboard>(counts.billboardCount, fill);
    borders = newArray<Border>(counts.borderCount, fill);
    meshes = newArray<MeshPlacement>(counts.meshCount, fill);
    if (fields && maps && billboards && borders && meshes) return true;
    release();
    return false;
}

void TrackArrays::release() {
    delete[] fields;
    delete[] maps;
    delete[] billboards;
    delete[] borders;
    delete[] meshes;
    fields = nullptr;
    maps = nullptr;
    billboards = nullptr;
    borders = nullptr;
    meshes = nullptr;
}

TrackError checkTrackCounts(const TrackHeader& header) {
    const uint64_t cells = uint64_t(header.sizeX) * header.sizeY;
    if (header.fieldCount < cells) return TrackError::InconsistentCounts;
    // Each side is bounded too: a 4294967295 x 0 grid has no cells, but a
    // pass walking its columns would still spin through all of them.
    if (header.sizeX > kMaxCells || header.sizeY > kMaxCells || header.fieldCount > kMaxCells ||
        header.mapCount > kMaxRecords || header.billboardCount > kMaxRecords ||
        header.borderCount > kMaxRecords || header.meshCount > kMaxRecords)
        return TrackError::TooLarge;
    return TrackError::None;
}

uint64_t trackFileSize(const TrackHeader& header) {
    return sizeof(TrackHeader) + uint64_t(header.mapCount) * sizeof(MapEntry) +
           uint64_t(header.fieldCount) * sizeof(Field) +
           uint64_t(header.billboardCount) * sizeof(Billboard) +
           uint64_t(header.borderCount) * sizeof(Border) +
           uint64_t(header.meshCount) * sizeof(MeshPlacement);
}
