#include "sprite_panel.h"

#include "control_text.h"
#include "editor_state.h"
#include "kelvane_ids.h"
#include "panel_support.h"
#include "track_commands.h"
#include "track_document.h"

namespace {

// The billboard the panel edits: the "No.:" choice, or -1 (which every
// setter refuses) when there is none.
DWORD chosenBillboard() {
    return static_cast<DWORD>(
        selectedRecord(controls.spriteNumber, trackDocument.getBillboardCount()));
}

// The stored value follows the box that changed; both scale boxes go
// together because the document keeps them as one pair.
void storeSpriteValue(int controlId, DWORD b) {
    TrackDocument& doc = trackDocument;
    switch (controlId) {
        case IDC_SPRITE_POS_X:
            doc.setBillboardPosX(b, readNumber(controls.spritePosX));
            break;
        case IDC_SPRITE_POS_Y:
            doc.setBillboardPosY(b, readNumber(controls.spritePosY));
            break;
        case IDC_SPRITE_POS_Z:
            doc.setBillboardPosZ(b, readNumber(controls.spritePosZ));
            break;
        case IDC_SPRITE_ANGLE:
            doc.setBillboardAngle(b, readNumber(controls.spriteAngle));
            break;
        case IDC_SPRITE_SCALE_X:
        case IDC_SPRITE_SCALE_Y:
            doc.setBillboardScale(b, readNumber(controls.spriteScaleX),
                                  readNumber(controls.spriteScaleY));
            break;
        default:
            break;
    }
}

void refillBillboardList() {
    SendMessageA(controls.spriteNumber, CB_RESETCONTENT, 0, 0);
    for (DWORD i = 0; i < trackDocument.getBillboardCount(); ++i)
        addListNumber(controls.spriteNumber, i);
}

}  // namespace

BOOL spriteValueCommand(HWND dialog, int controlId, WORD notification) {
    storeSpriteValue(controlId, chosenBillboard());
    requestRedraw();
    return TRUE;
}

// A billboard that turns to the camera has no angle of its own, so its box
// is disabled; the stored angle stays for when "Face" is released.
BOOL spriteFaceCommand(HWND dialog, int controlId, WORD notification) {
    DWORD face = SendMessageA(controls.spriteFace, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    trackDocument.setBillboardFace(chosenBillboard(), face);
    EnableWindow(controls.spriteAngle, face == 0 ? TRUE : FALSE);
    requestRedraw();
    return TRUE;
}

BOOL spriteNumberCommand(HWND dialog, int controlId, WORD notification) {
    int b = selectedRecord(controls.spriteNumber, trackDocument.getBillboardCount());
    if (b < 0) return TRUE;
    const ControlUpdate hold;
    showBillboard(static_cast<DWORD>(b));
    selectedBillboard = b;
    requestRedraw();
    return TRUE;
}

// The only way a billboard becomes drawn; an index with no map is never
// stored, so a drawn billboard always names an existing map.
BOOL spriteMapCommand(HWND dialog, int controlId, WORD notification) {
    int map = listSelection(controls.spriteMap);
    if (!mapExists(map)) return TRUE;
    trackDocument.setBillboardMap(chosenBillboard(), static_cast<DWORD>(map));
    requestRedraw();
    return TRUE;
}

BOOL addBillboardCommand(HWND dialog, int controlId, WORD notification) {
    if (!trackDocument.addBillboard()) {
        reportAddFailure(dialog, "a billboard");
        return TRUE;
    }
    const ControlUpdate hold;
    refillBillboardList();
    selectedBillboard = 0;
    selectListEntry(controls.spriteNumber, 0);
    showBillboard(0);
    requestRedraw();
    return TRUE;
}
