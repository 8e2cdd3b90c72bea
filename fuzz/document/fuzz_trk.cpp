// loadTrack on arbitrary bytes. Whatever loads must be a consistent track
// that saves back to exactly the bytes its counts cover; whatever is refused
// must leave the track that was there before. A file that ends early is
// salvaged too: its whole records come back as they were, the rest as zeros.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "track_document.h"

namespace {

std::string tempPath(const char* role) {
    return "/tmp/fuzz_trk_" + std::to_string(getpid()) + "_" + role + ".trk";
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

uint64_t coveredBytes(const TrackHeader& h) {
    return 88 + 72ull * h.mapCount + 20ull * h.fieldCount + 52ull * h.billboardCount +
           36ull * h.borderCount + 108ull * h.meshCount;
}

void check(bool condition) {
    if (!condition) std::abort();
}

void checkLoaded(TrackDocument& doc, const uint8_t* data, size_t size) {
    const TrackHeader& h = doc.header;
    check(doc.isLoaded() == 1);
    check(uint64_t(h.fieldCount) >= uint64_t(h.sizeX) * h.sizeY);
    check(h.sizeX <= kMaxCells && h.sizeY <= kMaxCells && h.fieldCount <= kMaxCells);
    check(h.mapCount <= kMaxRecords && h.meshCount <= kMaxRecords);
    check(coveredBytes(h) <= size);
    check(doc.fields && doc.maps && doc.billboards && doc.borders && doc.meshes);
    // Touch the last record of every array and every cell getter path.
    if (h.sizeX && h.sizeY) check(doc.fieldAt(h.sizeX - 1, h.sizeY - 1) != nullptr);
    for (DWORD k = 0; k < h.mapCount; ++k) {
        const char* name = doc.getMapName(k);
        if (name) check(std::strlen(name) < kMapNameSize);
    }
    for (DWORD k = 0; k < h.meshCount; ++k) {
        const char* name = doc.getMeshName(k);
        if (name) check(std::strlen(name) < kMeshNameSize);
    }
    const std::string out = tempPath("out");
    check(doc.saveTrack(out.c_str()) == 1);
    const std::string saved = readAll(out);
    check(saved.size() == coveredBytes(h));
    check(std::memcmp(saved.data(), data, saved.size()) == 0);
    unlink(out.c_str());
}

// Salvage asks for what the header announces, not what the file holds: big
// announcements are skipped to keep each run fast.
const uint64_t kSalvageLimit = 64u << 20;

void checkSalvaged(TrackDocument& doc, const uint8_t* data, size_t size) {
    const TrackHeader& h = doc.header;
    const TrackDamage& whole = doc.lastDamage();
    const std::string out = tempPath("salvaged");
    check(doc.saveTrack(out.c_str()) == 1);
    const std::string saved = readAll(out);
    unlink(out.c_str());
    check(saved.size() == coveredBytes(h) && std::memcmp(saved.data(), data, 88) == 0);
    const struct {
        DWORD count, whole;
        size_t recordSize;
    } sections[] = {{h.mapCount, whole.maps, 72},
                    {h.fieldCount, whole.fields, 20},
                    {h.billboardCount, whole.billboards, 52},
                    {h.borderCount, whole.borders, 36},
                    {h.meshCount, whole.meshes, 108}};
    size_t at = 88;
    for (const auto& section : sections) {
        const size_t kept = size_t(section.whole) * section.recordSize;
        const size_t end = at + size_t(section.count) * section.recordSize;
        // An array wholly past the end keeps nothing, wherever it starts.
        check(kept == 0 ||
              (at + kept <= size && std::memcmp(saved.data() + at, data + at, kept) == 0));
        for (size_t k = at + kept; k < end; ++k) check(saved[k] == '\0');
        at = end;
    }
}

void trySalvage(const std::string& in, const uint8_t* data, size_t size) {
    TrackHeader announced;
    std::memcpy(&announced, data, sizeof announced);
    if (coveredBytes(announced) > kSalvageLimit) return;
    TrackDocument doc;
    if (doc.salvageTrack(in.c_str())) checkSalvaged(doc, data, size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string in = tempPath("in");
    std::ofstream(in, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));

    TrackDocument doc;
    doc.createTrack(2, 2, 1, 1, 1, 1);
    doc.setMapFile(0, "keep.bmp");
    const Field before = doc.fields[3];
    if (doc.loadTrack(in.c_str())) {
        checkLoaded(doc, data, size);
    } else {
        check(doc.lastError() != TrackError::None);
        check(doc.getSizeX() == 2 && doc.getMapCount() == 1);
        check(std::strcmp(doc.getMapName(0), "keep.bmp") == 0);
        check(std::memcmp(&doc.fields[3], &before, sizeof before) == 0);
        if (doc.lastError() == TrackError::Truncated) trySalvage(in, data, size);
    }
    unlink(in.c_str());
    return 0;
}
