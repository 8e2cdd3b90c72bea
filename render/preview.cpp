#include "preview.h"

#include "frame.h"
#include "kelvane_ids.h"
#include "preview_input.h"
#include "renderer.h"
#include "scene.h"
#include "top_view.h"
#include "track_document.h"
#include "transforms.h"

namespace {

bool bordersShown(HWND preview) {
    HWND box = GetDlgItem(GetParent(preview), IDC_SHOW_BORDERS);
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The device's buffers follow the window's new size; the main dialog's
// state goes back on the device, and the next paint draws at the new size.
void resizePreview(HWND preview, int width, int height) {
    if (!renderer.device || width <= 0 || height <= 0) return;
    if (FAILED(renderer.resetForWindowSize())) return;
    prepareTrackScene();
    InvalidateRgn(preview, nullptr, FALSE);
}

}  // namespace

void drawFrame(HWND preview) {
    PAINTSTRUCT paint;
    BeginPaint(preview, &paint);
    renderer.clearFrame();
    if (trackDocument.isLoaded() && renderer.device && topViewShown)
        drawTopViewScene(trackDocument, static_cast<int>(renderer.presentParams.BackBufferWidth),
                         static_cast<int>(renderer.presentParams.BackBufferHeight),
                         bordersShown(preview));
    else if (trackDocument.isLoaded() && renderer.device)
        drawTrackScene(trackDocument, camera, bordersShown(preview));
    renderer.presentFrame();
    EndPaint(preview, &paint);
}

INT_PTR CALLBACK PreviewDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_SYSCOMMAND:
            // The Preview lives as long as the main dialog: its close box does nothing.
            return wParam == SC_CLOSE ? TRUE : FALSE;
        case WM_PAINT:
            drawFrame(window);
            return FALSE;
        case WM_SIZE:
            resizePreview(window, LOWORD(lParam), HIWORD(lParam));
            return FALSE;
        default:
            // Mouse and keys: pointing, painting and the camera.
            return previewInput(window, message, wParam, lParam);
    }
}
