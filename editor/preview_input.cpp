#include "preview_input.h"

#include "editor_state.h"
#include "frame.h"
#include "hover.h"
#include "preview_camera.h"
#include "preview_paint.h"
#include "preview_pick.h"
#include "top_view.h"

namespace {

struct Pointer {
    bool rightDragging = false;
    int lastX = 0, lastY = 0;
};

Pointer& pointer() {
    static Pointer state;
    return state;
}

int pointX(LPARAM lParam) {
    return static_cast<short>(LOWORD(lParam));
}
int pointY(LPARAM lParam) {
    return static_cast<short>(HIWORD(lParam));
}

// The outline follows the cell under the cursor; a change repaints.
void updateHover(const PickResult& picked) {
    int i = picked.kind == PickKind::Cell ? static_cast<int>(picked.i) : -1;
    int j = picked.kind == PickKind::Cell ? static_cast<int>(picked.j) : -1;
    if (i == hoveredFieldI && j == hoveredFieldJ) return;
    hoveredFieldI = i;
    hoveredFieldJ = j;
    requestRedraw();
}

void leftDown(HWND preview, WPARAM keys, int x, int y) {
    HWND dialog = GetParent(preview);
    PickResult picked = pickInPreview(preview, x, y);
    if (keys & (MK_CONTROL | MK_SHIFT)) {
        if (picked.kind != PickKind::Cell) return;
        PaintMode mode = keys & MK_SHIFT ? PaintMode::Rectangle : PaintMode::Stroke;
        if (beginPaintStroke(dialog, mode, picked.i, picked.j)) SetCapture(preview);
        return;
    }
    chooseInPanels(dialog, picked);
}

// The release point ends the stroke or is the rectangle's second corner,
// whether or not a move reached it first.
void leftUp(HWND preview, int x, int y) {
    if (!paintStrokeOpen()) return;
    PickResult picked = pickInPreview(preview, x, y);
    if (picked.kind == PickKind::Cell) continuePaintStroke(picked.i, picked.j);
    endPaintStroke();
    ReleaseCapture();
}

void mouseMoved(HWND preview, WPARAM keys, int x, int y) {
    Pointer& p = pointer();
    if (p.rightDragging && !topViewShown) {
        turnAndClimbByDrag(camera, x - p.lastX, y - p.lastY);
        requestRedraw();
    }
    p.lastX = x;
    p.lastY = y;
    if (p.rightDragging) return;
    PickResult picked = pickInPreview(preview, x, y);
    updateHover(picked);
    if (paintStrokeOpen() && picked.kind == PickKind::Cell) continuePaintStroke(picked.i, picked.j);
}

void rightButton(HWND preview, bool down, int x, int y) {
    Pointer& p = pointer();
    p.rightDragging = down;
    p.lastX = x;
    p.lastY = y;
    if (down)
        SetCapture(preview);
    else if (!paintStrokeOpen())
        ReleaseCapture();
}

void keyDown(UINT key, bool repeated) {
    if (key == 'T' && !repeated) {
        topViewShown = !topViewShown;
        hoveredFieldI = hoveredFieldJ = -1;
        requestRedraw();
    } else if (key == VK_HOME && !topViewShown) {
        resetCamera(camera);
        requestRedraw();
    } else if (!topViewShown && cameraKeyDown(camera, key, repeated, GetTickCount())) {
        requestRedraw();
    }
}

void keyUp(UINT key) {
    if (!topViewShown && cameraKeyUp(camera, key, GetTickCount())) requestRedraw();
}

}  // namespace

BOOL previewInput(HWND preview, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            leftDown(preview, wParam, pointX(lParam), pointY(lParam));
            return TRUE;
        case WM_LBUTTONUP:
            leftUp(preview, pointX(lParam), pointY(lParam));
            return TRUE;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            rightButton(preview, message == WM_RBUTTONDOWN, pointX(lParam), pointY(lParam));
            return TRUE;
        case WM_MOUSEMOVE:
            mouseMoved(preview, wParam, pointX(lParam), pointY(lParam));
            return TRUE;
        case WM_MOUSEWHEEL:
            if (!topViewShown) {
                walkByWheel(camera, GET_WHEEL_DELTA_WPARAM(wParam));
                requestRedraw();
            }
            return TRUE;
        case WM_KEYDOWN:
            keyDown(static_cast<UINT>(wParam), (lParam & 0x40000000) != 0);
            return TRUE;
        case WM_KEYUP:
            keyUp(static_cast<UINT>(wParam));
            return TRUE;
        case WM_CAPTURECHANGED:
            // Another window took the mouse: the drag is over.
            if (paintStrokeOpen()) endPaintStroke();
            pointer().rightDragging = false;
            return TRUE;
        default:
            return FALSE;
    }
}
