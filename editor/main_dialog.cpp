#include "main_dialog.h"

#include <initializer_list>

#include "command_table.h"
#include "control_text.h"
#include "edit_history.h"
#include "editor_state.h"
#include "keyboard_shortcuts.h"
#include "kelvane_ids.h"
#include "message_caption.h"
#include "preview.h"
#include "renderer.h"
#include "scene.h"
#include "track_commands.h"
#include "track_document.h"
#include "transforms.h"

namespace {

void initFileDialog(HWND dialog) {
    fileDialog = OPENFILENAMEA();
    fileDialog.lStructSize = sizeof fileDialog;
    fileDialog.hwndOwner = dialog;
    fileDialog.lpstrFile = filePath;
    fileDialog.nMaxFile = sizeof filePath;
    fileDialog.lpstrFileTitle = fileTitle;
    fileDialog.nMaxFileTitle = sizeof fileTitle;
    // Kept for every dialog, the track ones included.
    fileDialog.lpstrDefExt = "bmp";
}

// The Preview and the device on it; false when Direct3D cannot start.
bool startPreview(HWND dialog) {
    previewWindow = CreateDialogParamA(instanceHandle, MAKEINTRESOURCEA(IDD_PREVIEW), dialog,
                                       PreviewDialogProc, 0);
    // A sizing frame, so the Preview can be made larger; it draws at its size.
    SetWindowLongA(previewWindow, GWL_STYLE,
                   GetWindowLongA(previewWindow, GWL_STYLE) | WS_THICKFRAME | WS_MAXIMIZEBOX);
    MoveWindow(previewWindow, 10, 10, 640, 480, TRUE);
    if (FAILED(renderer.initRenderer(previewWindow))) return false;
    prepareTrackScene();
    setView(D3DXVECTOR3(0.0f, 1000.0f, 0.0f), D3DXVECTOR3(500.0f, 0.0f, 500.0f),
            D3DXVECTOR3(0.0f, 1.0f, 0.0f));
    scene.buildQuads();
    renderer.clearFrame();
    renderer.presentFrame();
    return true;
}

void setStartTexts() {
    HWND zeros[] = {
        controls.fieldI,     controls.fieldJ,      controls.spritePosX, controls.spritePosY,
        controls.spritePosZ, controls.spriteAngle, controls.borderX1,   controls.borderZ1,
        controls.borderX2,   controls.borderZ2,    controls.borderTop,  controls.borderBottom,
        controls.meshPosX,   controls.meshPosY,    controls.meshPosZ,   controls.meshAngle};
    for (HWND box : zeros) SetWindowTextA(box, "0");
    HWND hundreds[] = {controls.spriteScaleX, controls.spriteScaleY, controls.meshScale};
    for (HWND box : hundreds) SetWindowTextA(box, "100");
}

void fillFixedLists(HWND dialog) {
    HWND orientation = GetDlgItem(dialog, IDC_FIELD_ORIENTATION);
    for (const char* text : {"0", "90", "180", "270"}) addListText(orientation, text);
    selectListEntry(orientation, 0);
    currentOrientation = 0;
    for (const char* text : {"Normal Border", "Start Time Border", "Stop Time Border"})
        addListText(controls.borderType, text);
    selectListEntry(controls.borderType, 0);
}

// lParam of WM_INITDIALOG: WinMain's command line, which may name a track.
BOOL initMainDialog(HWND dialog, LPARAM commandLine) {
    initFileDialog(dialog);
    HICON icon = LoadIconA(instanceHandle, MAKEINTRESOURCEA(IDI_KELVANE));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (!startPreview(dialog)) {
        MessageBoxA(dialog, "Direct 3D initialization error!", kMessageCaption, MB_ICONERROR);
        EndDialog(dialog, 0);
        return FALSE;
    }
    fetchMainControls(dialog);
    setStartTexts();
    SendMessageA(GetDlgItem(dialog, IDC_SHAPE_GROUND), BM_SETCHECK, BST_CHECKED, 0);
    currentShape = 0;
    SendMessageA(GetDlgItem(dialog, IDC_SHOW_BORDERS), BM_SETCHECK, BST_CHECKED, 0);
    fillFixedLists(dialog);
    selectedFieldI = selectedFieldJ = selectedBillboard = selectedBorder = 0;
    camera.moveStep = 10.0f;
    editHistory();  // listens to the track from now on
    installShortcuts(dialog);
    loadTrackFromCommandLine(dialog, reinterpret_cast<const char*>(commandLine));
    return TRUE;
}

// The close box, Alt+F4 and the system menu's Close; a changed track is
// offered for saving first.
BOOL closeMainDialog(HWND dialog) {
    if (!confirmDiscardChanges(dialog)) return TRUE;
    trackDocument.destroyTrack();
    EndDialog(dialog, 0);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return initMainDialog(dialog, lParam);
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(dialog, &paint);
            EndPaint(dialog, &paint);
            return FALSE;
        }
        case WM_COMMAND:
            if (isShortcutCommand(LOWORD(wParam))) return shortcutCommand(dialog, LOWORD(wParam));
            return dispatchCommand(dialog, wParam);
        case WM_SYSCOMMAND:
            if (wParam != SC_CLOSE) return FALSE;
            return closeMainDialog(dialog);
        case WM_DESTROY:
            // However the dialog ends, no hook may outlive it.
            removeShortcuts();
            return FALSE;
        default:
            return FALSE;
    }
}
