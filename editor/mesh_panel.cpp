#include "mesh_panel.h"

#include "control_text.h"
#include "editor_state.h"
#include "kelvane_ids.h"
#include "missing_files.h"
#include "panel_support.h"
#include "path_utils.h"
#include "scene.h"
#include "file_choice.h"
#include "track_commands.h"
#include "track_document.h"

namespace {

const char kMeshFilter[] = "X files  (*.x)\0*.x\0All files (*.*)\0*.*\0";

// The Browse dialog's own memory: the last mesh chosen.
FileChoice meshFiles = {kMeshFilter, "bmp", {0}};

// No global holds the chosen placement: every command reads the list afresh.
int chosenMesh() {
    return selectedRecord(controls.meshList, trackDocument.getMeshCount());
}

void storeMeshValue(int controlId, DWORD m) {
    TrackDocument& doc = trackDocument;
    switch (controlId) {
        case IDC_MESH_POS_X:
            doc.setMeshPosX(m, readNumber(controls.meshPosX));
            break;
        case IDC_MESH_POS_Y:
            doc.setMeshPosY(m, readNumber(controls.meshPosY));
            break;
        case IDC_MESH_POS_Z:
            doc.setMeshPosZ(m, readNumber(controls.meshPosZ));
            break;
        case IDC_MESH_SCALE:
            doc.setMeshScale(m, readNumber(controls.meshScale));
            break;
        case IDC_MESH_ANGLE:
            doc.setMeshAngle(m, readNumber(controls.meshAngle));
            break;
        default:
            break;
    }
}

void meshEntry(char (&entry)[kListEntrySize], DWORD m) {
    mapListEntry(entry, sizeof entry, m, trackDocument.getMeshName(m));
}

// The model comes from the path chosen; its textures from that same folder.
void loadChosenMesh(DWORD m, ResourceReport* missing) {
    scene.releaseMesh(m);
    directoryOfPath(trackDirectory, sizeof trackDirectory, filePath, fileTitle);
    scene.loadMesh(m, filePath, trackDirectory, missing, fileTitle);
}

}  // namespace

BOOL meshValueCommand(HWND dialog, int controlId, WORD notification) {
    storeMeshValue(controlId, static_cast<DWORD>(chosenMesh()));
    requestRedraw();
    return TRUE;
}

// Only shows the placement: it is not marked in the Preview, so nothing is
// redrawn.
BOOL meshListCommand(HWND dialog, int controlId, WORD notification) {
    int m = chosenMesh();
    if (m < 0) return TRUE;
    const ControlUpdate hold;
    showMesh(static_cast<DWORD>(m));
    return TRUE;
}

// The boxes keep the placement shown before; the next value typed goes to
// placement 0, which the list now shows as chosen.
BOOL addMeshCommand(HWND dialog, int controlId, WORD notification) {
    if (!trackDocument.addMesh()) {
        reportAddFailure(dialog, "a mesh");
        return TRUE;
    }
    const ControlUpdate hold;
    SendMessageA(controls.meshList, CB_RESETCONTENT, 0, 0);
    char entry[kListEntrySize];
    for (DWORD i = 0; i < trackDocument.getMeshCount(); ++i) {
        meshEntry(entry, i);
        addListText(controls.meshList, entry);
    }
    selectListEntry(controls.meshList, 0);
    return TRUE;
}

BOOL meshBrowseCommand(HWND dialog, int controlId, WORD notification) {
    int m = chosenMesh();
    if (m < 0 || refuseIndexWithoutSlot(dialog, m, kMeshSlotCount, "Mesh", "a model")) return TRUE;
    if (!chooseFile(dialog, meshFiles, false)) return TRUE;
    rememberChoice(meshFiles);
    if (refuseLongFileName(dialog, fileTitle, kMeshNameSize, "a mesh")) return TRUE;
    trackDocument.setMeshFile(static_cast<DWORD>(m), fileTitle);
    ResourceReport missing;
    loadChosenMesh(static_cast<DWORD>(m), &missing);
    char entry[kListEntrySize];
    meshEntry(entry, static_cast<DWORD>(m));
    replaceListEntry(controls.meshList, m, entry);
    selectListEntry(controls.meshList, static_cast<DWORD>(m));
    requestRedraw();
    reportMissingFiles(dialog, missing);
    return TRUE;
}
