#include "field_panel.h"

#include <cstdio>

#include "control_text.h"
#include "editor_state.h"
#include "kelvane_ids.h"
#include "missing_files.h"
#include "panel_support.h"
#include "scene.h"
#include "file_choice.h"
#include "track_commands.h"
#include "track_document.h"

namespace {

const char kImageFilter[] =
    "Bitmap files  (*.bmp)\0*.bmp\0Truevision files  (*.tga)\0*.tga\0"
    "Tagged Image files  (*.tif)\0*.tif\0JPEG files  (*.jpg)\0*.jpg\0"
    "CompuServe files  (*.gif)\0*.gif\0All files (*.*)\0*.*\0";

// The Browse dialog's own memory: the last picture chosen.
FileChoice mapFiles = {kImageFilter, "bmp", {0}};

// The three lists whose entries Add Map rebuilds; the Sprites "Map:" list
// keeps its entries until the next New or Load.
void refillFieldMapLists() {
    HWND lists[] = {controls.fieldMaps, controls.borderMap, controls.backgroundMap};
    for (HWND list : lists) SendMessageA(list, CB_RESETCONTENT, 0, 0);
    char entry[kListEntrySize];
    for (DWORD i = 0; i < trackDocument.getMapCount(); ++i) {
        mapListEntry(entry, sizeof entry, i, trackDocument.getMapName(i));
        for (HWND list : lists) addListText(list, entry);
    }
}

// Entry `map` of the four map lists shows the map's new file; each list keeps
// the choice it had.
void renameMapEntries(int map) {
    int spriteChoice = listSelection(controls.spriteMap);
    char entry[kListEntrySize];
    mapListEntry(entry, sizeof entry, static_cast<DWORD>(map), trackDocument.getMapName(map));
    HWND lists[] = {controls.fieldMaps, controls.borderMap, controls.backgroundMap,
                    controls.spriteMap};
    for (HWND list : lists) replaceListEntry(list, map, entry);
    selectListEntry(controls.fieldMaps, static_cast<DWORD>(map));
    selectListEntry(controls.borderMap, trackDocument.getBorderMap());
    selectListEntry(controls.backgroundMap, trackDocument.getBackgroundMap());
    selectListEntry(controls.spriteMap, static_cast<DWORD>(spriteChoice));
}

}  // namespace

// The map list's choice, or -1 after telling the user there is none.
int chosenFieldMap(HWND dialog) {
    int map = listSelection(controls.fieldMaps);
    if (mapExists(map)) return map;
    refuseCommand(dialog, "Choose a map in the Fields list first; nothing was set.");
    return -1;
}

bool cellInGrid(int i, int j) {
    return i >= 0 && j >= 0 && static_cast<DWORD>(i) < trackDocument.getSizeX() &&
           static_cast<DWORD>(j) < trackDocument.getSizeY();
}

void setCell(DWORD i, DWORD j, DWORD map) {
    trackDocument.setFieldMap(i, j, map);
    trackDocument.setFieldShape(i, j, static_cast<DWORD>(currentShape));
    trackDocument.setFieldOrientation(i, j, static_cast<DWORD>(currentOrientation));
}

// Both boxes are read whichever one changed, so the marked cell always
// matches what they show.
BOOL fieldCellCommand(HWND dialog, int controlId, WORD notification) {
    selectedFieldI = readNumber(controls.fieldI);
    selectedFieldJ = readNumber(controls.fieldJ);
    requestRedraw();
    return TRUE;
}

// Without a track there is nothing to set and nothing to say; the frame is
// requested all the same, as after every Set.
BOOL fieldSetCommand(HWND dialog, int controlId, WORD notification) {
    if (!trackDocument.isLoaded()) {
        requestRedraw();
        return TRUE;
    }
    int i = readNumber(controls.fieldI);
    int j = readNumber(controls.fieldJ);
    if (!cellInGrid(i, j)) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "Field I %d, J %d lies outside the %u x %u grid; nothing was set.", i, j,
                      static_cast<unsigned>(trackDocument.getSizeX()),
                      static_cast<unsigned>(trackDocument.getSizeY()));
        refuseCommand(dialog, text);
        return TRUE;
    }
    int map = chosenFieldMap(dialog);
    if (map < 0) return TRUE;
    setCell(static_cast<DWORD>(i), static_cast<DWORD>(j), static_cast<DWORD>(map));
    requestRedraw();
    return TRUE;
}

BOOL fieldSetAllCommand(HWND dialog, int controlId, WORD notification) {
    if (trackDocument.isLoaded()) {
        int map = chosenFieldMap(dialog);
        if (map < 0) return TRUE;
        for (DWORD j = 0; j < trackDocument.getSizeY(); ++j)
            for (DWORD i = 0; i < trackDocument.getSizeX(); ++i) setCell(i, j, map);
    }
    requestRedraw();
    return TRUE;
}

BOOL addMapCommand(HWND dialog, int controlId, WORD notification) {
    if (!trackDocument.addMap()) {
        reportAddFailure(dialog, "a map");
        return TRUE;
    }
    refillFieldMapLists();
    selectListEntry(controls.fieldMaps, 0);
    selectListEntry(controls.borderMap, trackDocument.getBorderMap());
    selectListEntry(controls.backgroundMap, trackDocument.getBackgroundMap());
    requestRedraw();
    return TRUE;
}

BOOL mapBrowseCommand(HWND dialog, int controlId, WORD notification) {
    int map = selectedRecord(controls.fieldMaps, trackDocument.getMapCount());
    if (map < 0 || refuseIndexWithoutSlot(dialog, map, kMapTextureCount, "Map", "a picture"))
        return TRUE;
    if (!chooseFile(dialog, mapFiles, false)) return TRUE;
    rememberChoice(mapFiles);
    if (refuseLongFileName(dialog, fileTitle, kMapNameSize, "a map")) return TRUE;
    trackDocument.setMapFile(static_cast<DWORD>(map), fileTitle);
    ResourceReport missing;
    scene.loadMapTexture(static_cast<DWORD>(map), filePath, &missing, fileTitle);
    renameMapEntries(map);
    requestRedraw();
    reportMissingFiles(dialog, missing);
    return TRUE;
}

BOOL shapeCommand(HWND dialog, int controlId, WORD notification) {
    switch (controlId) {
        case IDC_SHAPE_GROUND:
            currentShape = 0;
            break;
        case IDC_SHAPE_TOP:
            currentShape = 1;
            break;
        case IDC_SHAPE_SLOPE:
            currentShape = 2;
            break;
        case IDC_SHAPE_CORNER1:
            currentShape = 3;
            break;
        case IDC_SHAPE_CORNER2:
            currentShape = 4;
            break;
        default:
            break;
    }
    return TRUE;
}

// The list is never empty, but a lost selection must not become orientation -1.
BOOL orientationCommand(HWND dialog, int controlId, WORD notification) {
    int chosen = listSelection(GetDlgItem(dialog, IDC_FIELD_ORIENTATION));
    if (chosen >= 0) currentOrientation = chosen;
    return TRUE;
}
