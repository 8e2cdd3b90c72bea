#include "track_check.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>

#include "path_utils.h"

namespace {

const DWORD kCellSize = 100;

std::string formatText(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string formatText(const char* pattern, ...) {
    char text[512];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(text, sizeof text, pattern, args);
    va_end(args);
    return text;
}

// DWORD is unsigned int here and unsigned long on Windows: both print as %u.
inline unsigned plain(unsigned value) {
    return value;
}
inline unsigned plain(unsigned long value) {
    return unsigned(value);
}
inline const char* plain(const char* text) {
    return text;
}

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    return formatText(pattern, plain(args)...);
}

template <size_t N>
std::string storedName(const char (&field)[N]) {
    return printableName(field, N);
}

bool readable(const char* folder, const std::string& name) {
    std::string path = std::string(folder) + "\\" + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char byte;
    DWORD got = 0;
    bool ok = ReadFile(file, &byte, 1, &got, nullptr) && got == 1;
    CloseHandle(file);
    return ok;
}

// The stored bytes are checked and looked up; the printable form is only
// for the message.
template <size_t N>
void checkFile(const char* what, DWORD index, const char (&field)[N], const char* folder,
               std::vector<TrackProblem>* out) {
    const void* end = std::memchr(field, '\0', N);
    const std::string raw(field, end ? static_cast<const char*>(end) - field : N);
    const std::string name = storedName(field);
    if (raw.empty()) {
        out->push_back({"missing-file", format("%s %u has no file name", what, index)});
    } else if (!nameStaysInFolder(raw.c_str(), raw.size())) {
        out->push_back({"outside-folder",
                        format("%s %u \"%s\": the name leaves the track's folder", what, index,
                               name.c_str())});
    } else if (!readable(folder, raw)) {
        out->push_back({"missing-file", format("%s %u \"%s\": the file is missing or unreadable",
                                               what, index, name.c_str())});
    }
}

void checkFiles(const TrackDocument& track, const char* folder, std::vector<TrackProblem>* out) {
    for (DWORD m = 0; m < track.header.mapCount; ++m)
        if (track.maps[m].empty == kSlotUsed)
            checkFile("map", m, track.maps[m].fileName, folder, out);
    for (DWORD m = 0; m < track.header.meshCount; ++m)
        if (track.meshes[m].empty == kSlotUsed)
            checkFile("mesh", m, track.meshes[m].fileName, folder, out);
}

// Maps in use: by a used cell or billboard, as the wall ring's or the
// background's map.
std::vector<bool> usedMaps(const TrackDocument& track) {
    std::vector<bool> used(track.header.mapCount, false);
    auto mark = [&used](DWORD map) {
        if (map < used.size()) used[map] = true;
    };
    for (DWORD c = 0; c < track.header.fieldCount; ++c)
        if (track.fields[c].empty == kSlotUsed) mark(track.fields[c].map);
    for (DWORD b = 0; b < track.header.billboardCount; ++b)
        if (track.billboards[b].empty == kSlotUsed) mark(track.billboards[b].map);
    mark(track.header.borderMap);
    mark(track.header.backgroundMap);
    return used;
}

void checkUnusedMaps(const TrackDocument& track, std::vector<TrackProblem>* out) {
    std::vector<bool> used = usedMaps(track);
    for (DWORD m = 0; m < track.header.mapCount; ++m)
        if (track.maps[m].empty == kSlotUsed && !used[m])
            out->push_back({"unused-map",
                            format("map %u \"%s\": no cell, billboard, wall or background uses it",
                                   m, storedName(track.maps[m].fileName).c_str())});
}

bool onGrid(const TrackDocument& track, DWORD x, DWORD z) {
    return uint64_t(x) <= uint64_t(track.header.sizeX) * kCellSize &&
           uint64_t(z) <= uint64_t(track.header.sizeY) * kCellSize;
}

void checkBorders(const TrackDocument& track, std::vector<TrackProblem>* out) {
    bool start = false, stop = false;
    for (DWORD b = 0; b < track.header.borderCount; ++b) {
        const Border& border = track.borders[b];
        if (border.empty != kSlotUsed) continue;
        start |= border.type == 1;
        stop |= border.type == 2;
        if (!onGrid(track, border.x1, border.z1) || !onGrid(track, border.x2, border.z2))
            out->push_back({"border-outside-grid",
                            format("border %u: from %u, %u to %u, %u leaves the grid (0-%u, 0-%u)",
                                   b, border.x1, border.z1, border.x2, border.z2,
                                   track.header.sizeX * kCellSize, track.header.sizeY * kCellSize)});
        if (border.top < border.bottom)
            out->push_back({"border-top-below-bottom",
                            format("border %u: top %u is below bottom %u", b, border.top,
                                   border.bottom)});
    }
    if (!start) out->push_back({"no-start-border", "no start-time border"});
    if (!stop) out->push_back({"no-stop-border", "no stop-time border"});
}

void checkObjects(const TrackDocument& track, std::vector<TrackProblem>* out) {
    for (DWORD b = 0; b < track.header.billboardCount; ++b) {
        const Billboard& billboard = track.billboards[b];
        if (billboard.empty == kSlotUsed && !onGrid(track, billboard.posX, billboard.posZ))
            out->push_back({"billboard-outside-grid",
                            format("billboard %u: at %u, %u off the grid", b, billboard.posX,
                                   billboard.posZ)});
    }
    for (DWORD m = 0; m < track.header.meshCount; ++m) {
        const MeshPlacement& mesh = track.meshes[m];
        if (mesh.empty == kSlotUsed && !onGrid(track, mesh.posX, mesh.posZ))
            out->push_back({"mesh-outside-grid",
                            format("mesh %u: at %u, %u off the grid", m, mesh.posX, mesh.posZ)});
    }
}

// One line per missing map index, not per cell: a painted area may hold
// thousands of them.
void checkCellMaps(const TrackDocument& track, std::vector<TrackProblem>* out) {
    struct Cells {
        DWORD count = 0, firstI = 0, firstJ = 0;
    };
    std::map<DWORD, Cells> missing;
    // A damaged file may hold cells and no columns; there is no (i, j) then.
    const DWORD columns = track.header.sizeX ? track.header.sizeX : 1;
    for (DWORD c = 0; c < track.header.fieldCount; ++c) {
        const Field& field = track.fields[c];
        if (field.empty != kSlotUsed || field.map < track.header.mapCount) continue;
        Cells& cells = missing[field.map];
        if (cells.count++ == 0) {
            cells.firstI = c % columns;
            cells.firstJ = c / columns;
        }
    }
    for (const auto& entry : missing)
        out->push_back({"cell-map-missing",
                        format("map %u does not exist but %u cell(s) use it, the first at %u, %u",
                               entry.first, entry.second.count, entry.second.firstI,
                               entry.second.firstJ)});
}

}  // namespace

std::string printableName(const char* bytes, size_t size) {
    std::string text;
    for (size_t k = 0; k < size && bytes[k] != '\0'; ++k) {
        unsigned char c = static_cast<unsigned char>(bytes[k]);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            text += char(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        }
    }
    return text;
}

std::vector<TrackProblem> checkTrack(const TrackDocument& track, const char* folder) {
    std::vector<TrackProblem> problems;
    if (!track.isLoaded()) return problems;
    checkFiles(track, folder, &problems);
    checkUnusedMaps(track, &problems);
    checkCellMaps(track, &problems);
    checkBorders(track, &problems);
    checkObjects(track, &problems);
    return problems;
}
