// The setters and getters of fields, maps, billboards, borders and mesh
// placements. Each one reaches its record through the *At accessors, which
// answer null without a track or for an index outside the array (the -1 of a
// list without a selection included), so a refused call writes nothing.
#include <cstring>

#include "track_document.h"

namespace {

// A word of a record, or the guard value when there is no such record.
template <typename Record>
DWORD wordOf(const Record* record, DWORD Record::*word, DWORD guard = 0) {
    return record ? record->*word : guard;
}

template <typename Record, typename Change>
int change(Record* record, Change apply) {
    if (!record) return 0;
    apply(*record);
    return 1;
}

// Copies a name and its terminator into a slot, like strcpy, so bytes behind
// the terminator stay as they were. A name that does not fit is refused
// whole: a cut name would point at a different file.
bool copyName(char* slot, size_t slotSize, const char* name) {
    if (!name) return false;
    size_t length = 0;
    while (length < slotSize && name[length] != '\0') ++length;
    if (length == slotSize) return false;
    std::memcpy(slot, name, length + 1);
    return true;
}

// A loaded file may hold a name slot without a terminator; such a name is
// not handed out, since every reader would run past the slot.
const char* terminatedName(const char* slot, size_t slotSize) {
    return std::memchr(slot, '\0', slotSize) ? slot : nullptr;
}

}  // namespace

Field* TrackDocument::writableField(DWORD i, DWORD j) {
    Field* field = fieldAt(i, j);
    if (field) noteChange(RecordKind::Field, static_cast<DWORD>(field - fields));
    return field;
}

MapEntry* TrackDocument::writableMap(DWORD index) {
    MapEntry* entry = mapAt(index);
    if (entry) noteChange(RecordKind::Map, index);
    return entry;
}

Billboard* TrackDocument::writableBillboard(DWORD index) {
    Billboard* billboard = billboardAt(index);
    if (billboard) noteChange(RecordKind::Billboard, index);
    return billboard;
}

Border* TrackDocument::writableBorder(DWORD index) {
    Border* border = borderAt(index);
    if (border) noteChange(RecordKind::Border, index);
    return border;
}

MeshPlacement* TrackDocument::writableMesh(DWORD index) {
    MeshPlacement* mesh = meshAt(index);
    if (mesh) noteChange(RecordKind::Mesh, index);
    return mesh;
}

int TrackDocument::setFieldMap(DWORD i, DWORD j, DWORD map) {
    return change(writableField(i, j), [&](Field& f) {
        f.map = map;
        f.empty = kSlotUsed;
    });
}

int TrackDocument::setFieldShape(DWORD i, DWORD j, DWORD shape) {
    return change(writableField(i, j), [&](Field& f) { f.shape = shape; });
}

int TrackDocument::setFieldOrientation(DWORD i, DWORD j, DWORD orientation) {
    return change(writableField(i, j), [&](Field& f) { f.orientation = orientation; });
}

int TrackDocument::setField(DWORD i, DWORD j, const Field& field) {
    return change(writableField(i, j), [&](Field& f) { f = field; });
}

int TrackDocument::clearField(DWORD i, DWORD j) {
    return change(writableField(i, j), [](Field& f) {
        f = Field();
        f.empty = kSlotUnused;
    });
}

int TrackDocument::setMapFile(DWORD index, const char* name) {
    MapEntry* entry = writableMap(index);
    if (!entry || !copyName(entry->fileName, sizeof entry->fileName, name)) return 0;
    entry->empty = kSlotUsed;
    return 1;
}

const char* TrackDocument::getMapName(DWORD index) const {
    const MapEntry* entry = mapAt(index);
    if (!entry || entry->empty != kSlotUsed) return nullptr;
    return terminatedName(entry->fileName, sizeof entry->fileName);
}

int TrackDocument::setBillboardFace(DWORD index, DWORD face) {
    return change(writableBillboard(index), [&](Billboard& b) { b.face = face; });
}

DWORD TrackDocument::getBillboardFace(DWORD index) const {
    return wordOf(billboardAt(index), &Billboard::face);
}

int TrackDocument::setBillboardPosX(DWORD index, DWORD value) {
    return change(writableBillboard(index), [&](Billboard& b) { b.posX = value; });
}

int TrackDocument::setBillboardPosY(DWORD index, DWORD value) {
    return change(writableBillboard(index), [&](Billboard& b) { b.posY = value; });
}

int TrackDocument::setBillboardPosZ(DWORD index, DWORD value) {
    return change(writableBillboard(index), [&](Billboard& b) { b.posZ = value; });
}

DWORD TrackDocument::getBillboardPosX(DWORD index) const {
    return wordOf(billboardAt(index), &Billboard::posX);
}

DWORD TrackDocument::getBillboardPosY(DWORD index) const {
    return wordOf(billboardAt(index), &Billboard::posY);
}

DWORD TrackDocument::getBillboardPosZ(DWORD index) const {
    return wordOf(billboardAt(index), &Billboard::posZ);
}

int TrackDocument::setBillboardScale(DWORD index, DWORD scaleX, DWORD scaleY) {
    return change(writableBillboard(index), [&](Billboard& b) {
        b.scaleX = scaleX;
        b.scaleY = scaleY;
    });
}

DWORD TrackDocument::getBillboardScaleX(DWORD index) const {
    return wordOf(billboardAt(index), &Billboard::scaleX);
}

DWORD TrackDocument::getBillboardScaleY(DWORD index) const {
    return wordOf(billboardAt(index), &Billboard::scaleY);
}

int TrackDocument::setBillboardAngle(DWORD index, DWORD degrees) {
    return change(writableBillboard(index), [&](Billboard& b) { b.angleY = degrees; });
}

DWORD TrackDocument::getBillboardAngle(DWORD index) const {
    return wordOf(billboardAt(index), &Billboard::angleY, kNoValue);
}

int TrackDocument::setBillboardMap(DWORD index, DWORD map) {
    return change(writableBillboard(index), [&](Billboard& b) {
        b.map = map;
        b.empty = kSlotUsed;
    });
}

DWORD TrackDocument::getBillboardMap(DWORD index) const {
    const Billboard* b = billboardAt(index);
    return b && b->empty == kSlotUsed ? b->map : kNoValue;
}

int TrackDocument::setBorderType(DWORD index, DWORD type) {
    return change(writableBorder(index), [&](Border& b) { b.type = type; });
}

DWORD TrackDocument::getBorderType(DWORD index) const {
    return wordOf(borderAt(index), &Border::type);
}

namespace {

// The six coordinate setters share this: set one word, mark the border used.
int setBorderWord(Border* border, DWORD Border::*word, DWORD value) {
    return change(border, [&](Border& b) {
        b.*word = value;
        b.empty = kSlotUsed;
    });
}

}  // namespace

int TrackDocument::setBorderX1(DWORD index, DWORD v) {
    return setBorderWord(writableBorder(index), &Border::x1, v);
}
int TrackDocument::setBorderZ1(DWORD index, DWORD v) {
    return setBorderWord(writableBorder(index), &Border::z1, v);
}
int TrackDocument::setBorderX2(DWORD index, DWORD v) {
    return setBorderWord(writableBorder(index), &Border::x2, v);
}
int TrackDocument::setBorderZ2(DWORD index, DWORD v) {
    return setBorderWord(writableBorder(index), &Border::z2, v);
}
int TrackDocument::setBorderTop(DWORD index, DWORD v) {
    return setBorderWord(writableBorder(index), &Border::top, v);
}
int TrackDocument::setBorderBottom(DWORD index, DWORD v) {
    return setBorderWord(writableBorder(index), &Border::bottom, v);
}

Border TrackDocument::getBorder(DWORD index) const {
    const Border* b = borderAt(index);
    if (b) return *b;
    Border unused = {};
    unused.empty = kSlotUnused;
    return unused;
}

int TrackDocument::setMeshFile(DWORD index, const char* name) {
    MeshPlacement* mesh = writableMesh(index);
    if (!mesh || !copyName(mesh->fileName, sizeof mesh->fileName, name)) return 0;
    mesh->empty = kSlotUsed;
    return 1;
}

const char* TrackDocument::getMeshName(DWORD index) const {
    const MeshPlacement* mesh = meshAt(index);
    if (!mesh || mesh->empty != kSlotUsed) return nullptr;
    return terminatedName(mesh->fileName, sizeof mesh->fileName);
}

int TrackDocument::setMeshPosX(DWORD index, DWORD value) {
    return change(writableMesh(index), [&](MeshPlacement& m) { m.posX = value; });
}

int TrackDocument::setMeshPosY(DWORD index, DWORD value) {
    return change(writableMesh(index), [&](MeshPlacement& m) { m.posY = value; });
}

int TrackDocument::setMeshPosZ(DWORD index, DWORD value) {
    return change(writableMesh(index), [&](MeshPlacement& m) { m.posZ = value; });
}

DWORD TrackDocument::getMeshPosX(DWORD index) const {
    return wordOf(meshAt(index), &MeshPlacement::posX);
}

DWORD TrackDocument::getMeshPosY(DWORD index) const {
    return wordOf(meshAt(index), &MeshPlacement::posY);
}

DWORD TrackDocument::getMeshPosZ(DWORD index) const {
    return wordOf(meshAt(index), &MeshPlacement::posZ);
}

int TrackDocument::setMeshScale(DWORD index, DWORD value) {
    return change(writableMesh(index), [&](MeshPlacement& m) { m.scaleX = m.scaleY = m.scaleZ = value; });
}

DWORD TrackDocument::getMeshScale(DWORD index) const {
    return wordOf(meshAt(index), &MeshPlacement::scaleX);
}

int TrackDocument::setMeshAngle(DWORD index, DWORD degrees) {
    return change(writableMesh(index), [&](MeshPlacement& m) { m.angleY = degrees; });
}

DWORD TrackDocument::getMeshAngle(DWORD index) const {
    return wordOf(meshAt(index), &MeshPlacement::angleY);
}
