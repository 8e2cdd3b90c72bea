// saveTrack and loadTrack: the .trk file is the header followed by the maps,
// fields, billboards, borders and mesh placements, each array moved as one
// block. Maps come before fields in the file although fields come first in
// the document.
#include <chrono>
#include <cstdio>
#include <string>

#include "track_arrays.h"
#include "track_document.h"

// One WriteFile or ReadFile per array: the largest array must fit a DWORD.
static_assert(uint64_t(kMaxCells) * sizeof(Field) < 0xFFFFFFFFu, "field block exceeds a DWORD");
static_assert(uint64_t(kMaxRecords) * sizeof(MeshPlacement) < 0xFFFFFFFFu,
              "record block exceeds a DWORD");

namespace {

constexpr int kTempNameAttempts = 64;

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

// A new file beside the target, so the final move stays inside one folder
// and replaces the target in one step.
HANDLE createTempBeside(const char* path, std::string* tempPath) {
    static unsigned counter = unsigned(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", ++counter);
        *tempPath = std::string(path) + suffix;
        HANDLE file = CreateFileA(tempPath->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_ARCHIVE, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool writeTrack(HANDLE file, const TrackDocument& doc) {
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
// for more memory than the file holds.
TrackError readHeader(HANDLE file, TrackHeader* header) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) return TrackError::ReadFailed;
    if (size.QuadPart < LONGLONG(sizeof(TrackHeader))) return TrackError::TooShort;
    TrackError read = readBlock(file, header, sizeof *header);
    if (read != TrackError::None) return read;
    TrackError counts = checkTrackCounts(*header);
    if (counts == TrackError::InconsistentCounts) return counts;
    if (trackFileSize(*header) > uint64_t(size.QuadPart)) return TrackError::Truncated;
    return counts;
}

TrackError readTrack(HANDLE file, TrackHeader* header, TrackArrays* arrays) {
    TrackError result = readHeader(file, header);
    if (result != TrackError::None) return result;
    // Every byte is read into the arrays before they are used, and a file
    // that ends early is refused whole, so zero-filling them first would only
    // be a second pass over up to 335 MB.
    if (!arrays->allocate(*header, TrackArrays::Unfilled)) return TrackError::OutOfMemory;
    const TrackHeader& h = *header;
    const struct {
        void* data;
        size_t bytes;
    } blocks[] = {
        {arrays->maps, size_t(h.mapCount) * sizeof(MapEntry)},
        {arrays->fields, size_t(h.fieldCount) * sizeof(Field)},
        {arrays->billboards, size_t(h.billboardCount) * sizeof(Billboard)},
        {arrays->borders, size_t(h.borderCount) * sizeof(Border)},
        {arrays->meshes, size_t(h.meshCount) * sizeof(MeshPlacement)},
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
    std::string tempPath;
    HANDLE file = createTempBeside(path, &tempPath);
    if (file == INVALID_HANDLE_VALUE) return refuse(TrackError::CannotOpen);
    bool written = writeTrack(file, *this) && FlushFileBuffers(file);
    written = CloseHandle(file) && written;
    if (!written ||
        !MoveFileExA(tempPath.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(tempPath.c_str());
        return refuse(TrackError::WriteFailed);
    }
    failure = TrackError::None;
    return 1;
}

int TrackDocument::loadTrack(const char* path) {
    if (!path || !*path) return refuse(TrackError::CannotOpen);
    HANDLE file =
        CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return refuse(TrackError::CannotOpen);
    TrackHeader next = {};
    TrackArrays arrays;
    TrackError result = readTrack(file, &next, &arrays);
    CloseHandle(file);
    if (result != TrackError::None) return refuse(result);
    adopt(next, arrays);
    return 1;
}
