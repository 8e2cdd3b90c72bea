// saveTrack and loadTrack: the .trk file is the header followed by the maps,
// fields, billboards, borders and mesh placements, each array moved as one
// block. Maps come before fields in the file although fields come first in
// the document.
#include "file_replace.h"
#include "track_arrays.h"
#include "track_damage.h"
#include "track_document.h"

// One WriteFile or ReadFile per array: the largest array must fit a DWORD.
static_assert(uint64_t(kMaxCells) * sizeof(Field) < 0xFFFFFFFFu, "field block exceeds a DWORD");
static_assert(uint64_t(kMaxRecords) * sizeof(MeshPlacement) < 0xFFFFFFFFu,
              "record block exceeds a DWORD");

namespace {

bool writeBlock(HANDLE file, const void* data, size_t bytes) {
    if (bytes == 0) return true;
    DWORD written = 0;
    return WriteFile(file, data, DWORD(bytes), &written, nullptr) && written == bytes;
}

TrackError readBlock(HANDLE file, void* data, size_t bytes) {
    if (bytes == 0) return TrackError::None;
    DWORD got = 0;
    if (!ReadFile(file, data, DWORD(bytes), &got, nullptr)) return TrackError::ReadFailed;
    return got == bytes ? TrackError::None : TrackError::Truncated;
}

bool writeTrack(HANDLE file, const void* document) {
    const TrackDocument& doc = *static_cast<const TrackDocument*>(document);
    const TrackHeader& h = doc.header;
    return writeBlock(file, &h, sizeof h) &&
           writeBlock(file, doc.maps, size_t(h.mapCount) * sizeof(MapEntry)) &&
           writeBlock(file, doc.fields, size_t(h.fieldCount) * sizeof(Field)) &&
           writeBlock(file, doc.billboards, size_t(h.billboardCount) * sizeof(Billboard)) &&
           writeBlock(file, doc.borders, size_t(h.borderCount) * sizeof(Border)) &&
           writeBlock(file, doc.meshes, size_t(h.meshCount) * sizeof(MeshPlacement));
}

// The header must pass every check before anything is allocated, and the
// file's length must cover all its records, so a forged count can never ask
// for more memory than the file holds. Counts beyond the limits are named as
// such even when the file is also short. fileSize gets the file's length.
TrackError readHeader(HANDLE file, TrackHeader* header, uint64_t* fileSize) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) return TrackError::ReadFailed;
    if (size.QuadPart < LONGLONG(sizeof(TrackHeader))) return TrackError::TooShort;
    *fileSize = uint64_t(size.QuadPart);
    TrackError read = readBlock(file, header, sizeof *header);
    if (read != TrackError::None) return read;
    TrackError counts = checkTrackCounts(*header);
    if (counts != TrackError::None) return counts;
    if (trackFileSize(*header) > *fileSize) return TrackError::Truncated;
    return TrackError::None;
}

// Reads the track; a file that ends early is refused, or with `salvage` read
// as far as its records are whole, the rest left zero. damage gets the whole
// records of each array either way.
TrackError readTrack(HANDLE file, bool salvage, TrackHeader* header, TrackArrays* arrays,
                     TrackDamage* damage) {
    uint64_t fileSize = 0;
    TrackError result = readHeader(file, header, &fileSize);
    if (result == TrackError::Truncated) *damage = measureTrackDamage(*header, fileSize);
    if (result == TrackError::None) *damage = measureTrackDamage(*header, trackFileSize(*header));
    if (result != TrackError::None && !(salvage && result == TrackError::Truncated)) return result;
    // A whole file fills every byte of the arrays, and one that ends early
    // while reading is refused whole, so only salvage needs them zeroed
    // first: otherwise that would be a second pass over up to 335 MB.
    const TrackArrays::Fill fill = result == TrackError::None ? TrackArrays::Unfilled
                                                              : TrackArrays::Zeroed;
    if (!arrays->allocate(*header, fill)) return TrackError::OutOfMemory;
    const struct {
        void* data;
        size_t bytes;
    } blocks[] = {
        {arrays->maps, size_t(damage->maps) * sizeof(MapEntry)},
        {arrays->fields, size_t(damage->fields) * sizeof(Field)},
        {arrays->billboards, size_t(damage->billboards) * sizeof(Billboard)},
        {arrays->borders, size_t(damage->borders) * sizeof(Border)},
        {arrays->meshes, size_t(damage->meshes) * sizeof(MeshPlacement)},
    };
    for (const auto& block : blocks) {
        result = readBlock(file, block.data, block.bytes);
        if (result != TrackError::None) return result;
    }
    return TrackError::None;
}

}  // namespace

int TrackDocument::saveTrack(const char* path) {
    if (!loaded) return refuse(TrackError::NoTrack);
    if (!path || !*path) return refuse(TrackError::CannotOpen);
    DWORD error = replaceFileContents(path, "trk", writeTrack, this);
    if (error != ERROR_SUCCESS) {
        saveFailureText = fileErrorText(error);
        return refuse(TrackError::WriteFailed);
    }
    failure = TrackError::None;
    return 1;
}

int TrackDocument::loadTrack(const char* path) {
    return readTrackFile(path, false);
}

int TrackDocument::salvageTrack(const char* path) {
    return readTrackFile(path, true);
}

int TrackDocument::readTrackFile(const char* path, bool salvage) {
    damage = TrackDamage{};
    if (!path || !*path) return refuse(TrackError::CannotOpen);
    HANDLE file =
        CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return refuse(TrackError::CannotOpen);
    TrackHeader next = {};
    TrackArrays arrays;
    TrackDamage whole;
    TrackError result = readTrack(file, salvage, &next, &arrays, &whole);
    CloseHandle(file);
    damage = whole;
    if (result != TrackError::None) return refuse(result);
    adopt(next, arrays);
    return 1;
}
