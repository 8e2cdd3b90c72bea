// Program-wide state of the track editor: the globals the main dialog's
// commands share, the handles of the controls they read and write most, and
// the repaint request every command ends with.
#ifndef KELVANE_EDITOR_EDITOR_STATE_H
#define KELVANE_EDITOR_EDITOR_STATE_H

#include <windows.h>
#include <commdlg.h>

// The selections the drawing passes mark; the editor alone writes them.
#include "selection.h"

extern HINSTANCE instanceHandle;
extern HWND previewWindow;

// One record serves every file dialog; only its filter changes per use.
extern OPENFILENAMEA fileDialog;
// The file dialogs return at most this much (MAX_PATH). The directory buffer
// is as large as the path buffer, so the folder of any returned path fits.
const int kEditorPathSize = 260;
extern char filePath[kEditorPathSize];
extern char fileTitle[kEditorPathSize];
extern char trackDirectory[kEditorPathSize];

// 1 while the program rewrites panels itself; mutes the guarded handlers that
// WM_SETTEXT re-enters. Held only through ControlUpdate.
extern int updatingControls;

// Holds updatingControls at 1 for its scope and then restores what it was,
// so an early return cannot leave the handlers muted and a nested rewrite
// cannot unmute them early.
class ControlUpdate {
public:
    ControlUpdate() : previous_(updatingControls) { updatingControls = 1; }
    ~ControlUpdate() { updatingControls = previous_; }
    ControlUpdate(const ControlUpdate&) = delete;
    ControlUpdate& operator=(const ControlUpdate&) = delete;

private:
    int previous_;
};

extern int currentShape;
extern int currentOrientation;

// Handles fetched once when the main dialog starts.
struct MainControls {
    HWND fieldI, fieldJ, fieldMaps;
    HWND spritePosX, spritePosY, spritePosZ, spriteScaleX, spriteScaleY, spriteAngle;
    HWND spriteNumber, spriteMap, spriteFace;
    HWND meshPosX, meshPosY, meshPosZ, meshScale, meshAngle, meshList;
    HWND borderX1, borderZ1, borderX2, borderZ2, borderTop, borderBottom;
    HWND borderList, borderType, borderMap, backgroundMap;
};
extern MainControls controls;

void fetchMainControls(HWND dialog);

// Invalidates the whole Preview without erasing; the paint comes later, so
// several requests before it give one frame.
void requestRedraw();

#endif
