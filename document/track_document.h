// The one in-memory track the editor works on: header, field grid and four
// growable record arrays, the operations the editor's commands go through,
// and the .trk file. The drawing passes read the records directly.
//
// Results follow one rule: setters and the add, create, save and load
// operations return 1 on success and 0 on refusal; a refusal changes nothing.
// Getters answer their guard value when there is no track or the index lies
// outside its array. Create, save and load keep the reason of their last
// failure for the editor to show (lastError, lastErrorText).
#ifndef KELVANE_DOCUMENT_TRACK_DOCUMENT_H
#define KELVANE_DOCUMENT_TRACK_DOCUMENT_H

#include <windows.h>

#include "track_damage.h"
#include <string>

#include "track_changes.h"
#include "track_records.h"

struct TrackArrays;

// Limits of what createTrack and loadTrack build. They keep every array and
// the whole file well inside 32-bit sizes; the New dialog quotes them.
constexpr DWORD kMaxCells = 16777216;
constexpr DWORD kMaxRecords = 1048576;

// The guard of getBillboardAngle and the answer of getBillboardMap for an
// unused slot: -1 as the 32-bit pattern the editor prints as signed.
constexpr DWORD kNoValue = 0xFFFFFFFFu;

enum class TrackError {
    None,
    NoTrack,
    TooLarge,
    OutOfMemory,
    CannotOpen,
    TooShort,
    Truncated,
    InconsistentCounts,
    ReadFailed,
    WriteFailed,
};

// A short text for a failure reason, e.g. "truncated".
const char* trackErrorText(TrackError error);

struct TrackDocument {
    DWORD loaded = 0;
    TrackHeader header = {};
    Field* fields = nullptr;
    MapEntry* maps = nullptr;
    Billboard* billboards = nullptr;
    Border* borders = nullptr;
    MeshPlacement* meshes = nullptr;
    TrackError failure = TrackError::None;
    // Whole records of the file last read: all of them after a complete load,
    // fewer after a truncated one (refused or salvaged).
    TrackDamage damage;
    // Why the last save failed on the file itself, in the system's words.
    std::string saveFailureText;
    // Told before each change; null when nobody keeps a history.
    TrackChangeListener* listener = nullptr;

    TrackDocument() = default;
    ~TrackDocument();
    TrackDocument(const TrackDocument&) = delete;
    TrackDocument& operator=(const TrackDocument&) = delete;

    // Document
    int createTrack(DWORD sizeX, DWORD sizeY, DWORD mapCount, DWORD billboardCount,
                    DWORD borderCount, DWORD meshCount);
    void destroyTrack();
    DWORD isLoaded() const { return loaded; }
    DWORD getSizeX() const;
    DWORD getSizeY() const;
    DWORD getMapCount() const;
    DWORD getBillboardCount() const { return header.billboardCount; }
    DWORD getBorderCount() const { return header.borderCount; }
    DWORD getMeshCount() const { return header.meshCount; }
    DWORD getBorderMap() const { return header.borderMap; }
    void setBorderMap(DWORD value) {
        noteChange(RecordKind::Header, 0);
        header.borderMap = value;
    }
    DWORD getBackgroundMap() const { return header.backgroundMap; }
    void setBackgroundMap(DWORD value) {
        noteChange(RecordKind::Header, 0);
        header.backgroundMap = value;
    }

    // Fields, addressed by column i and row j
    int setFieldMap(DWORD i, DWORD j, DWORD map);
    int setFieldShape(DWORD i, DWORD j, DWORD shape);
    int setFieldOrientation(DWORD i, DWORD j, DWORD orientation);
    // The whole cell at once, as copy and paste move cells; clearField gives
    // it the unused state of a new track.
    int setField(DWORD i, DWORD j, const Field& field);
    int clearField(DWORD i, DWORD j);

    // Maps. A name longer than 63 characters is refused, never cut.
    int setMapFile(DWORD index, const char* name);
    const char* getMapName(DWORD index) const;
    int addMap();

    // Billboards
    int setBillboardFace(DWORD index, DWORD face);
    DWORD getBillboardFace(DWORD index) const;
    int setBillboardPosX(DWORD index, DWORD value);
    int setBillboardPosY(DWORD index, DWORD value);
    int setBillboardPosZ(DWORD index, DWORD value);
    DWORD getBillboardPosX(DWORD index) const;
    DWORD getBillboardPosY(DWORD index) const;
    DWORD getBillboardPosZ(DWORD index) const;
    int setBillboardScale(DWORD index, DWORD scaleX, DWORD scaleY);
    DWORD getBillboardScaleX(DWORD index) const;
    DWORD getBillboardScaleY(DWORD index) const;
    int setBillboardAngle(DWORD index, DWORD degrees);
    DWORD getBillboardAngle(DWORD index) const;
    int setBillboardMap(DWORD index, DWORD map);
    DWORD getBillboardMap(DWORD index) const;
    int addBillboard();

    // Borders. Each coordinate setter marks the border used; the type does not.
    int setBorderType(DWORD index, DWORD type);
    DWORD getBorderType(DWORD index) const;
    int setBorderX1(DWORD index, DWORD value);
    int setBorderZ1(DWORD index, DWORD value);
    int setBorderX2(DWORD index, DWORD value);
    int setBorderZ2(DWORD index, DWORD value);
    int setBorderTop(DWORD index, DWORD value);
    int setBorderBottom(DWORD index, DWORD value);
    // The whole record; an unused default record for an index without one.
    Border getBorder(DWORD index) const;
    int addBorder();

    // Mesh placements. A name longer than 67 characters is refused.
    int setMeshFile(DWORD index, const char* name);
    const char* getMeshName(DWORD index) const;
    int setMeshPosX(DWORD index, DWORD value);
    int setMeshPosY(DWORD index, DWORD value);
    int setMeshPosZ(DWORD index, DWORD value);
    DWORD getMeshPosX(DWORD index) const;
    DWORD getMeshPosY(DWORD index) const;
    DWORD getMeshPosZ(DWORD index) const;
    int setMeshScale(DWORD index, DWORD value);
    DWORD getMeshScale(DWORD index) const;
    int setMeshAngle(DWORD index, DWORD degrees);
    DWORD getMeshAngle(DWORD index) const;
    int addMesh();

    // The .trk file. Save replaces the file only once every byte is written;
    // load replaces the track only once the whole file was read and checked.
    int saveTrack(const char* path);
    int loadTrack(const char* path);
    // As loadTrack, but a file that ends early loads as far as its records
    // are whole; the records it lacks stay all zero. lastDamage tells how far.
    int salvageTrack(const char* path);
    const TrackDamage& lastDamage() const { return damage; }

    TrackError lastError() const { return failure; }
    const char* lastErrorText() const {
        bool fileReason = failure == TrackError::WriteFailed && !saveFailureText.empty();
        return fileReason ? saveFailureText.c_str() : trackErrorText(failure);
    }

    // The record at an index, or null without a track or outside the array.
    Field* fieldAt(DWORD i, DWORD j) const;
    MapEntry* mapAt(DWORD index) const;
    Billboard* billboardAt(DWORD index) const;
    Border* borderAt(DWORD index) const;
    MeshPlacement* meshAt(DWORD index) const;

    // Tells the listener, if any, before record `index` of the kind changes.
    void noteChange(RecordKind kind, DWORD index) {
        if (listener) listener->willChange(kind, index);
    }

private:
    int refuse(TrackError reason);
    // 1 for None; otherwise keeps the reason and answers 0.
    int settle(TrackError result);
    // Replaces the track by a complete new one; the old arrays go to `arrays`
    // and are released with it.
    void adopt(const TrackHeader& newHeader, TrackArrays& arrays);
    void swapArrays(TrackArrays& arrays);
    int readTrackFile(const char* path, bool salvage);
    // The record a setter is about to write, announced to the listener; null
    // (and nothing announced) where *At answers null.
    Field* writableField(DWORD i, DWORD j);
    MapEntry* writableMap(DWORD index);
    Billboard* writableBillboard(DWORD index);
    Border* writableBorder(DWORD index);
    MeshPlacement* writableMesh(DWORD index);
};

extern TrackDocument trackDocument;

#endif
