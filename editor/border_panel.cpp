#include "border_panel.h"

#include "control_text.h"
#include "editor_state.h"
#include "kelvane_ids.h"
#include "panel_support.h"
#include "track_commands.h"
#include "track_document.h"

namespace {

// The "Border:" choice, read afresh by every command; -1, which every setter
// refuses, when there is none.
int chosenBorder() {
    return selectedRecord(controls.borderList, trackDocument.getBorderCount());
}

void storeBorderValue(int controlId, DWORD b) {
    TrackDocument& doc = trackDocument;
    switch (controlId) {
        case IDC_BORDER_X1:
            doc.setBorderX1(b, readNumber(controls.borderX1));
            break;
        case IDC_BORDER_Z1:
            doc.setBorderZ1(b, readNumber(controls.borderZ1));
            break;
        case IDC_BORDER_X2:
            doc.setBorderX2(b, readNumber(controls.borderX2));
            break;
        case IDC_BORDER_Z2:
            doc.setBorderZ2(b, readNumber(controls.borderZ2));
            break;
        case IDC_BORDER_TOP:
            doc.setBorderTop(b, readNumber(controls.borderTop));
            break;
        case IDC_BORDER_BOTTOM:
            doc.setBorderBottom(b, readNumber(controls.borderBottom));
            break;
        default:
            break;
    }
}

}  // namespace

BOOL borderValueCommand(HWND dialog, int controlId, WORD notification) {
    storeBorderValue(controlId, static_cast<DWORD>(chosenBorder()));
    requestRedraw();
    return TRUE;
}

// The type alone does not make a border drawn, so nothing is repainted.
BOOL borderTypeCommand(HWND dialog, int controlId, WORD notification) {
    int type = listSelection(controls.borderType);
    if (type >= 0) trackDocument.setBorderType(static_cast<DWORD>(chosenBorder()), type);
    return TRUE;
}

BOOL borderListCommand(HWND dialog, int controlId, WORD notification) {
    int b = chosenBorder();
    if (b < 0) return TRUE;
    const ControlUpdate hold;
    selectedBorder = b;
    showBorder(static_cast<DWORD>(b));
    selectListEntry(controls.borderType, trackDocument.getBorderType(b));
    requestRedraw();
    return TRUE;
}

BOOL addBorderCommand(HWND dialog, int controlId, WORD notification) {
    if (!trackDocument.addBorder()) {
        reportAddFailure(dialog, "a border");
        return TRUE;
    }
    const ControlUpdate hold;
    SendMessageA(controls.borderList, CB_RESETCONTENT, 0, 0);
    for (DWORD i = 0; i < trackDocument.getBorderCount(); ++i)
        addListNumber(controls.borderList, i);
    selectListEntry(controls.borderList, 0);
    selectedBorder = 0;
    // Only the ground points follow border 0; heights and type keep what
    // they showed.
    showBorderGroundPoints(0);
    requestRedraw();
    return TRUE;
}

// The Preview reads the box at every paint; a repaint is all it takes.
BOOL showBordersCommand(HWND dialog, int controlId, WORD notification) {
    requestRedraw();
    return TRUE;
}

// Merely opening or leaving the list writes its choice again; a list without
// a choice writes nothing, so the track never names a map it lacks.
BOOL trackMapCommand(HWND dialog, int controlId, WORD notification) {
    HWND list = controlId == IDC_BORDER_MAP ? controls.borderMap : controls.backgroundMap;
    int map = listSelection(list);
    if (!mapExists(map)) return TRUE;
    if (controlId == IDC_BORDER_MAP) {
        trackDocument.setBorderMap(static_cast<DWORD>(map));
    } else {
        trackDocument.setBackgroundMap(static_cast<DWORD>(map));
    }
    requestRedraw();
    return TRUE;
}
