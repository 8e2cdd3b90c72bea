#include "edit_history.h"

#include <cstdio>
#include <vector>

#include "control_text.h"
#include "editor_state.h"
#include "kelvane_ids.h"
#include "list_memo.h"
#include "panel_support.h"
#include "restore_panels.h"
#include "track_document.h"
#include "track_history.h"

namespace {

struct TypingBox {
    int id;
    const HWND* recordList;  // the list whose choice is the record the box edits
};

const TypingBox kTypingBoxes[] = {
    {IDC_SPRITE_POS_X, &controls.spriteNumber}, {IDC_SPRITE_POS_Y, &controls.spriteNumber},
    {IDC_SPRITE_POS_Z, &controls.spriteNumber}, {IDC_SPRITE_SCALE_X, &controls.spriteNumber},
    {IDC_SPRITE_SCALE_Y, &controls.spriteNumber}, {IDC_SPRITE_ANGLE, &controls.spriteNumber},
    {IDC_MESH_POS_X, &controls.meshList},       {IDC_MESH_POS_Y, &controls.meshList},
    {IDC_MESH_POS_Z, &controls.meshList},       {IDC_MESH_SCALE, &controls.meshList},
    {IDC_MESH_ANGLE, &controls.meshList},       {IDC_BORDER_X1, &controls.borderList},
    {IDC_BORDER_Z1, &controls.borderList},      {IDC_BORDER_X2, &controls.borderList},
    {IDC_BORDER_Z2, &controls.borderList},      {IDC_BORDER_TOP, &controls.borderList},
    {IDC_BORDER_BOTTOM, &controls.borderList},
};

// The box and the record it edits; 0 for every other control.
uint64_t typingKey(int controlId) {
    for (const TypingBox& box : kTypingBoxes) {
        if (box.id != controlId) continue;
        uint32_t record = static_cast<uint32_t>(listSelection(*box.recordList) + 1);
        return (uint64_t(controlId) << 32) | record;
    }
    return 0;
}

const char* stepName(int controlId) {
    switch (controlId) {
        case IDC_FIELD_SET:
            return "Set";
        case IDC_FIELD_SET_ALL:
            return "Set All";
        case IDC_FIELD_ADD_MAP:
            return "Add Map";
        case IDC_FIELD_BROWSE:
            return "Browse Map";
        case IDC_MESH_BROWSE:
            return "Browse Mesh";
        case IDC_SPRITE_ADD:
            return "Add Billboard";
        case IDC_MESH_ADD:
            return "Add Mesh";
        case IDC_BORDER_ADD:
            return "Add Border";
        default:
            return "Edit";
    }
}

void reportTooLarge(HWND dialog, size_t bytes) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "This change cannot be undone: it needs %zu MiB, more than the %zu MiB the "
                  "undo history keeps.",
                  bytes >> 20, editHistory().budget() >> 20);
    refuseCommand(dialog, text);
}

// Undo or redo, and the panels after it; failures say why.
BOOL moveInHistory(HWND dialog, bool back) {
    StepSummary summary;
    HistoryResult result = back ? editHistory().undo(&summary) : editHistory().redo(&summary);
    switch (result) {
        case HistoryResult::Done:
            showRestoredState(summary);
            showRememberedLists(summary.serial, back);
            break;
        case HistoryResult::OutOfMemory:
            refuseCommand(dialog, back ? "Cannot undo: out of memory. The track is as it was."
                                       : "Cannot redo: out of memory. The track is as it was.");
            break;
        case HistoryResult::Mismatch:
            refuseCommand(dialog,
                          "The undo history no longer matched the track and was cleared. "
                          "The track is as it was.");
            break;
        default:
            break;
    }
    return TRUE;
}

}  // namespace

TrackHistory& editHistory() {
    static TrackHistory history(trackDocument);
    return history;
}

void beginEditStep(const char* name, uint64_t mergeKey) {
    editHistory().beginStep(name, mergeKey);
}

uint64_t endEditStep(HWND dialog) {
    StepOutcome outcome = editHistory().endStep();
    if (outcome.tooLarge) reportTooLarge(dialog, outcome.bytes);
    return outcome.serial;
}

void sealEditStep() {
    editHistory().seal();
}

BOOL runCommandStep(HWND dialog, int controlId, WORD notification, CommandHandler handler) {
    std::vector<HWND> lists = listsChangedBy(controlId);
    if (!lists.empty()) rememberListsBefore(lists);
    beginEditStep(stepName(controlId), typingKey(controlId));
    BOOL result = handler(dialog, controlId, notification);
    uint64_t serial = endEditStep(dialog);
    if (!lists.empty()) rememberListsAfter(serial);
    if (notification == EN_KILLFOCUS) sealEditStep();
    return result;
}

BOOL undoCommand(HWND dialog) {
    return moveInHistory(dialog, true);
}

BOOL redoCommand(HWND dialog) {
    return moveInHistory(dialog, false);
}
