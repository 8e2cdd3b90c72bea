#include "track_damage.h"

#include <algorithm>

namespace {

// Whole records of recordSize in what is left of the file, at most count;
// what they take is no longer left for the arrays behind them.
DWORD takeRecords(uint64_t* left, DWORD count, size_t recordSize) {
    const uint64_t whole = std::min<uint64_t>(count, *left / recordSize);
    *left -= whole * recordSize;
    // A record cut short is not whole; the arrays after it get nothing.
    if (whole < count) *left = 0;
    return DWORD(whole);
}

}  // namespace

TrackDamage measureTrackDamage(const TrackHeader& header, uint64_t fileSize) {
    TrackDamage whole;
    uint64_t left = fileSize > sizeof(TrackHeader) ? fileSize - sizeof(TrackHeader) : 0;
    whole.maps = takeRecords(&left, header.mapCount, sizeof(MapEntry));
    whole.fields = takeRecords(&left, header.fieldCount, sizeof(Field));
    whole.billboards = takeRecords(&left, header.billboardCount, sizeof(Billboard));
    whole.borders = takeRecords(&left, header.borderCount, sizeof(Border));
    whole.meshes = takeRecords(&left, header.meshCount, sizeof(MeshPlacement));
    whole.cellCount = header.fieldCount;
    whole.recordCount = uint64_t(header.mapCount) + header.billboardCount + header.borderCount +
                        header.meshCount;
    return whole;
}
