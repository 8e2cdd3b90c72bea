#include "restore_panels.h"

#include "control_text.h"
#include "editor_state.h"
#include "panel_support.h"
#include "resource_slots.h"
#include "track_commands.h"
#include "track_document.h"
#include "track_history.h"

namespace {

// The record to show: the one the step changed, else the list's choice if
// it still exists, else record 0; -1 for an empty array.
int recordToShow(const StepSummary::Kind& kind, HWND list, DWORD count) {
    if (count == 0) return -1;
    if (kind.firstIndex < count) return static_cast<int>(kind.firstIndex);
    int chosen = listSelection(list);
    return chosen >= 0 && static_cast<DWORD>(chosen) < count ? chosen : 0;
}

void refillNumbers(HWND list, DWORD count) {
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (DWORD i = 0; i < count; ++i) addListNumber(list, i);
}

// The three lists Add Map rebuilds, and the Sprites "Map:" list, which
// only loses entries for maps that are gone and follows renames.
void restoreMapLists(const StepSummary::Kind& maps) {
    const TrackDocument& doc = trackDocument;
    int fieldChoice = recordToShow(maps, controls.fieldMaps, doc.getMapCount());
    char entry[kListEntrySize];
    HWND lists[] = {controls.fieldMaps, controls.borderMap, controls.backgroundMap};
    for (HWND list : lists) SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (DWORD i = 0; i < doc.getMapCount(); ++i) {
        mapListEntry(entry, sizeof entry, i, doc.getMapName(i));
        for (HWND list : lists) addListText(list, entry);
    }
    int spriteEntries = static_cast<int>(SendMessageA(controls.spriteMap, CB_GETCOUNT, 0, 0));
    for (int i = spriteEntries - 1; i >= 0; --i) {
        if (static_cast<DWORD>(i) >= doc.getMapCount()) {
            SendMessageA(controls.spriteMap, CB_DELETESTRING, static_cast<WPARAM>(i), 0);
            continue;
        }
        mapListEntry(entry, sizeof entry, static_cast<DWORD>(i), doc.getMapName(i));
        replaceListEntry(controls.spriteMap, i, entry);
    }
    selectListEntry(controls.fieldMaps, static_cast<DWORD>(fieldChoice));
    reloadChangedPictures(maps.firstIndex, maps.lastIndex);
}

void restoreTrackMaps() {
    selectListEntry(controls.borderMap, trackDocument.getBorderMap());
    selectListEntry(controls.backgroundMap, trackDocument.getBackgroundMap());
}

void restoreBillboards(const StepSummary::Kind& kind) {
    DWORD count = trackDocument.getBillboardCount();
    if (kind.resized) refillNumbers(controls.spriteNumber, count);
    int b = recordToShow(kind, controls.spriteNumber, count);
    selectListEntry(controls.spriteNumber, static_cast<DWORD>(b));
    selectedBillboard = b < 0 ? 0 : b;
    if (b >= 0) showBillboard(static_cast<DWORD>(b));
    else showEmptyPanels();
}

void restoreBorders(const StepSummary::Kind& kind) {
    DWORD count = trackDocument.getBorderCount();
    if (kind.resized) refillNumbers(controls.borderList, count);
    int b = recordToShow(kind, controls.borderList, count);
    selectListEntry(controls.borderList, static_cast<DWORD>(b));
    selectedBorder = b < 0 ? 0 : b;
    if (b < 0) return showEmptyPanels();
    showBorder(static_cast<DWORD>(b));
    selectListEntry(controls.borderType, trackDocument.getBorderType(b));
}

void restoreMeshes(const StepSummary::Kind& kind) {
    const TrackDocument& doc = trackDocument;
    int m = recordToShow(kind, controls.meshList, doc.getMeshCount());
    SendMessageA(controls.meshList, CB_RESETCONTENT, 0, 0);
    char entry[kListEntrySize];
    for (DWORD i = 0; i < doc.getMeshCount(); ++i) {
        mapListEntry(entry, sizeof entry, i, doc.getMeshName(i));
        addListText(controls.meshList, entry);
    }
    selectListEntry(controls.meshList, static_cast<DWORD>(m));
    if (m >= 0) showMesh(static_cast<DWORD>(m));
    else showEmptyPanels();
    reloadChangedModels(kind.firstIndex, kind.lastIndex);
}

// The cell the step changed first becomes the selected cell; I and J follow.
void restoreSelectedCell(const StepSummary::Kind& kind) {
    DWORD sizeX = trackDocument.getSizeX();
    if (sizeX == 0) return;
    selectedFieldI = static_cast<int>(kind.firstIndex % sizeX);
    selectedFieldJ = static_cast<int>(kind.firstIndex / sizeX);
    writeNumber(controls.fieldI, static_cast<DWORD>(selectedFieldI));
    writeNumber(controls.fieldJ, static_cast<DWORD>(selectedFieldJ));
}

}  // namespace

void showRestoredState(const StepSummary& summary) {
    updatingControls = 1;
    if (summary.of(RecordKind::Map).changed) restoreMapLists(summary.of(RecordKind::Map));
    if (summary.of(RecordKind::Map).changed || summary.of(RecordKind::Header).changed)
        restoreTrackMaps();
    if (summary.of(RecordKind::Billboard).changed)
        restoreBillboards(summary.of(RecordKind::Billboard));
    if (summary.of(RecordKind::Border).changed) restoreBorders(summary.of(RecordKind::Border));
    if (summary.of(RecordKind::Mesh).changed) restoreMeshes(summary.of(RecordKind::Mesh));
    if (summary.of(RecordKind::Field).changed) restoreSelectedCell(summary.of(RecordKind::Field));
    updatingControls = 0;
    requestRedraw();
}
