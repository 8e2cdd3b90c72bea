#include "preview.h"

#include "kelvane_ids.h"
#include "preview_input.h"
#include "renderer.h"
#include "top_view.h"
#include "track_document.h"

namespace {

bool bordersShown(HWND preview) {
    HWND box = GetDlgItem(GetParent(preview), IDC_SHOW_BORDERS);
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
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
        default:
            // Mouse and keys: pointing, painting and the camera.
            return previewInput(window, message, wParam, lParam);
    }
}
