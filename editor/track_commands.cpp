#include "track_commands.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "command_line.h"
#include "control_text.h"
#include "document_digest.h"
#include "editor_state.h"
#include "file_choice.h"
#include "kelvane_ids.h"
#include "message_caption.h"
#include "missing_files.h"
#include "new_dialog.h"
#include "panel_support.h"
#include "path_utils.h"
#include "resource_slots.h"
#include "track_assets.h"
#include "track_document.h"

namespace {

void showError(HWND dialog, const char* action, const char* path, const char* reason) {
    std::string text =
        std::string("Cannot ") + action + " the track \"" + path + "\": " + reason + ".";
    MessageBoxA(dialog, text.c_str(), kMessageCaption, MB_OK | MB_ICONERROR);
}

// The seven lists whose entry i stands for record i of the document.
template <typename Action>
void forEachMirrorList(Action action) {
    HWND lists[] = {controls.fieldMaps,    controls.borderMap, controls.backgroundMap,
                    controls.spriteNumber, controls.spriteMap, controls.borderList,
                    controls.meshList};
    for (HWND list : lists) action(list);
}

void resetMirrorLists() {
    forEachMirrorList([](HWND list) { SendMessageA(list, CB_RESETCONTENT, 0, 0); });
}

void addToMapLists(const char* text) {
    addListText(controls.fieldMaps, text);
    addListText(controls.borderMap, text);
    addListText(controls.backgroundMap, text);
    addListText(controls.spriteMap, text);
}

// Fills the seven lists; a new track has no map files, so its map entries are
// bare indices.
void fillMirrorLists(bool withMapNames) {
    const TrackDocument& doc = trackDocument;
    char entry[kListEntrySize];
    for (DWORD i = 0; i < doc.getMapCount(); ++i) {
        if (withMapNames) {
            mapListEntry(entry, sizeof entry, i, doc.getMapName(i));
        } else {
            std::snprintf(entry, sizeof entry, "%u", static_cast<unsigned>(i));
        }
        addToMapLists(entry);
    }
    for (DWORD i = 0; i < doc.getBillboardCount(); ++i) addListNumber(controls.spriteNumber, i);
    for (DWORD i = 0; i < doc.getBorderCount(); ++i) addListNumber(controls.borderList, i);
    for (DWORD i = 0; i < doc.getMeshCount(); ++i) {
        mapListEntry(entry, sizeof entry, i, doc.getMeshName(i));
        addListText(controls.meshList, entry);
    }
}

void resetSelections() {
    selectedFieldI = 0;
    selectedFieldJ = 0;
    selectedBillboard = 0;
    selectedBorder = 0;
}

void setFaceState(DWORD face) {
    EnableWindow(controls.spriteAngle, face == 0 ? TRUE : FALSE);
    SendMessageA(controls.spriteFace, BM_SETCHECK, face != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

void showEmptyPanels() {
    const TrackDocument& doc = trackDocument;
    if (doc.getBillboardCount() == 0) {
        HWND zeros[] = {controls.spritePosX, controls.spritePosY, controls.spritePosZ,
                        controls.spriteAngle};
        for (HWND box : zeros) writeNumber(box, 0);
        writeNumber(controls.spriteScaleX, 100);
        writeNumber(controls.spriteScaleY, 100);
        selectListEntry(controls.spriteMap, kNoValue);
        setFaceState(0);
    }
    if (doc.getBorderCount() == 0) {
        HWND zeros[] = {controls.borderX1, controls.borderZ1,  controls.borderX2,
                        controls.borderZ2, controls.borderTop, controls.borderBottom};
        for (HWND box : zeros) writeNumber(box, 0);
    }
    if (doc.getMeshCount() == 0) {
        HWND zeros[] = {controls.meshPosX, controls.meshPosY, controls.meshPosZ,
                        controls.meshAngle};
        for (HWND box : zeros) writeNumber(box, 0);
        writeNumber(controls.meshScale, 100);
    }
}

namespace {

// The panels after Load: stored selections, then record 0 of each array.
void showLoadedTrack() {
    const TrackDocument& doc = trackDocument;
    selectListEntry(controls.fieldMaps, 0);
    selectListEntry(controls.borderMap, doc.getBorderMap());
    selectListEntry(controls.backgroundMap, doc.getBackgroundMap());
    selectListEntry(controls.spriteNumber, 0);
    selectListEntry(controls.spriteMap, doc.getBillboardMap(0));
    selectListEntry(controls.borderList, 0);
    selectListEntry(controls.meshList, 0);
    resetSelections();
    if (doc.getBorderCount() > 0) showBorder(0);
    if (doc.getBillboardCount() > 0) showBillboard(0);
    if (doc.getMeshCount() > 0) showMesh(0);
    showEmptyPanels();
}

// A track file that ends early: offers to load the records it holds whole.
// True when the user agreed and the salvaged track is now the document.
bool offerSalvage(HWND dialog) {
    const TrackDamage& whole = trackDocument.lastDamage();
    char counts[160];
    std::snprintf(
        counts, sizeof counts, " ends early: %u of %u cells and %llu of %llu records are complete.",
        static_cast<unsigned>(whole.completeCells()), static_cast<unsigned>(whole.cellCount),
        static_cast<unsigned long long>(whole.completeRecords()),
        static_cast<unsigned long long>(whole.recordCount));
    std::string text = std::string("\"") + fileTitle + "\"" + counts +
                       " Load what is there and leave the rest empty?";
    if (MessageBoxA(dialog, text.c_str(), kMessageCaption, MB_YESNO | MB_ICONWARNING) != IDYES)
        return false;
    if (trackDocument.salvageTrack(filePath)) return true;
    showError(dialog, "load", filePath, trackDocument.lastErrorText());
    return false;
}

// Reads the chosen track file into the document, asking first when it ends
// early. False when the document was left as it was.
bool readChosenTrack(HWND dialog) {
    if (trackDocument.loadTrack(filePath)) {
        markDocumentSaved(trackDocument);
        return true;
    }
    if (trackDocument.lastError() != TrackError::Truncated) {
        showError(dialog, "load", filePath, trackDocument.lastErrorText());
        return false;
    }
    if (!offerSalvage(dialog)) return false;
    // What was read differs from the file: saving it must not be skipped.
    markDocumentSaved(trackDocument);
    markDocumentChanged();
    return true;
}

// Saves under a name the user picks; true only when the file was written.
bool saveWithDialog(HWND dialog) {
    if (!chooseFile(dialog, trackFiles, true)) return false;
    // Without a track there is nothing to write, and nothing to report.
    if (!trackDocument.isLoaded()) return false;
    if (!trackDocument.saveTrack(filePath)) {
        showError(dialog, "save", filePath, trackDocument.lastErrorText());
        return false;
    }
    markDocumentSaved(trackDocument);
    rememberChoice(trackFiles);
    return true;
}

// Loads filePath (fileTitle its last part) and brings every panel in step;
// a failure shows the Load message and leaves the editor as it was.
bool loadChosenTrack(HWND dialog) {
    if (!readChosenTrack(dialog)) return false;
    ResourceReport missing;
    {
        const ControlUpdate hold;
        directoryOfPath(trackDirectory, sizeof trackDirectory, filePath, fileTitle);
        // A bare file name (typed on a command line) lives in the current
        // folder; an empty folder would make the names look up "\name" at
        // the root.
        if (trackDirectory[0] == '\0') std::strcpy(trackDirectory, ".");
        loadTrackResources(trackDirectory, &missing);
        noteTrackResources(trackDirectory);
        resetMirrorLists();
        fillMirrorLists(true);
        showLoadedTrack();
    }
    requestRedraw();
    reportMissingFiles(dialog, missing);
    return true;
}

}  // namespace

void mapListEntry(char* out, size_t outSize, DWORD index, const char* name) {
    std::snprintf(out, outSize, "%u %s", static_cast<unsigned>(index), name ? name : "(null)");
}

void showBillboard(DWORD index) {
    const TrackDocument& doc = trackDocument;
    writeNumber(controls.spritePosX, doc.getBillboardPosX(index));
    writeNumber(controls.spritePosY, doc.getBillboardPosY(index));
    writeNumber(controls.spritePosZ, doc.getBillboardPosZ(index));
    writeNumber(controls.spriteScaleX, doc.getBillboardScaleX(index));
    writeNumber(controls.spriteScaleY, doc.getBillboardScaleY(index));
    writeNumber(controls.spriteAngle, doc.getBillboardAngle(index));
    selectListEntry(controls.spriteMap, doc.getBillboardMap(index));
    setFaceState(doc.getBillboardFace(index));
}

void showBorderGroundPoints(DWORD index) {
    Border border = trackDocument.getBorder(index);
    writeNumber(controls.borderX1, border.x1);
    writeNumber(controls.borderZ1, border.z1);
    writeNumber(controls.borderX2, border.x2);
    writeNumber(controls.borderZ2, border.z2);
}

void showBorder(DWORD index) {
    showBorderGroundPoints(index);
    Border border = trackDocument.getBorder(index);
    writeNumber(controls.borderTop, border.top);
    writeNumber(controls.borderBottom, border.bottom);
}

void showMesh(DWORD index) {
    const TrackDocument& doc = trackDocument;
    writeNumber(controls.meshPosX, doc.getMeshPosX(index));
    writeNumber(controls.meshPosY, doc.getMeshPosY(index));
    writeNumber(controls.meshPosZ, doc.getMeshPosZ(index));
    writeNumber(controls.meshAngle, doc.getMeshAngle(index));
    writeNumber(controls.meshScale, doc.getMeshScale(index));
}

bool confirmDiscardChanges(HWND dialog) {
    if (!documentChangedSinceSaved(trackDocument)) return true;
    int answer =
        MessageBoxA(dialog, "The track has changed since it was last saved.\nSave it first?",
                    kMessageCaption, MB_YESNOCANCEL | MB_ICONWARNING);
    if (answer == IDYES) return saveWithDialog(dialog);
    return answer == IDNO;
}

BOOL newCommand(HWND dialog, int controlId, WORD notification) {
    if (!confirmDiscardChanges(dialog)) return TRUE;
    DialogBoxParamA(instanceHandle, MAKEINTRESOURCEA(IDD_NEW), dialog, NewDialogProc, 0);
    if (!trackCreated) return TRUE;
    markDocumentSaved(trackDocument);
    {
        const ControlUpdate hold;
        resetMirrorLists();
        fillMirrorLists(false);
        forEachMirrorList([](HWND list) { selectListEntry(list, 0); });
        resetSelections();
        setFaceState(0);
    }
    requestRedraw();
    return TRUE;
}

BOOL loadCommand(HWND dialog, int controlId, WORD notification) {
    if (!confirmDiscardChanges(dialog)) return TRUE;
    if (!chooseFile(dialog, trackFiles, false)) return TRUE;
    if (loadChosenTrack(dialog)) rememberChoice(trackFiles);
    return TRUE;
}

bool loadTrackFromCommandLine(HWND dialog, const char* commandLine) {
    std::string path;
    if (!trackPathFromCommandLine(commandLine, &path)) return false;
    if (path.size() >= sizeof filePath) {
        showError(dialog, "load", path.c_str(), "the path is too long");
        return false;
    }
    std::memcpy(filePath, path.c_str(), path.size() + 1);
    const char* title = filePath;
    for (const char* p = filePath; *p; ++p)
        if (*p == '\\' || *p == '/') title = p + 1;
    std::memmove(fileTitle, title, std::strlen(title) + 1);
    if (!loadChosenTrack(dialog)) return false;
    rememberChoice(trackFiles);
    return true;
}

BOOL saveCommand(HWND dialog, int controlId, WORD notification) {
    saveWithDialog(dialog);
    return TRUE;
}
