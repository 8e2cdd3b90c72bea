#include "preview.h"

#include <cmath>

#include "kelvane_ids.h"
#include "passes.h"
#include "renderer.h"
#include "scene.h"
#include "track_document.h"

Camera camera;

namespace {
// Raw DWORD 16, not the bits of 16.0f: the device reads it as a tiny float,
// which lifts the border lines just off the fields they stand on.
const DWORD kBorderDepthBias = 16;
}  // namespace

void setView(D3DXVECTOR3 eye, D3DXVECTOR3 target, D3DXVECTOR3 up) {
    scene.eye[0] = eye.x;
    scene.eye[1] = eye.y;
    scene.eye[2] = eye.z;
    float dx = target.x - eye.x;
    float dz = target.z - eye.z;
    float length = std::sqrt(dx * dx + dz * dz);
    if (length > 0.0f) {
        scene.lookDirX = dx / length;
        scene.lookDirZ = dz / length;
    }
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &target, &up);
    if (renderer.device) renderer.device->SetTransform(D3DTS_VIEW, &view);
}

D3DXVECTOR3 cameraTarget(const Camera& from) {
    // Double products rounded once to float, as the expressions with the
    // double constant 100.0 evaluate them.
    double heading = from.heading;
    double step = from.moveStep;
    return D3DXVECTOR3(static_cast<float>(std::cos(heading) * step * 100.0 + from.eyeX), 0.0f,
                       static_cast<float>(std::sin(heading) * step * 100.0 + from.eyeZ));
}

namespace {

bool bordersShown(HWND preview) {
    HWND box = GetDlgItem(GetParent(preview), IDC_SHOW_BORDERS);
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The scene of a loaded track, between BeginScene and EndScene.
void drawTrack(HWND preview) {
    IDirect3DDevice9* device = renderer.device;
    setView(D3DXVECTOR3(camera.eyeX, camera.eyeY, camera.eyeZ), cameraTarget(camera),
            D3DXVECTOR3(0.0f, 1.0f, 0.0f));
    device->BeginScene();
    // Drawn first without depth writes, the background stays behind the rest.
    backgroundPass(trackDocument, kBackgroundDistance);
    meshPass(trackDocument);
    fieldPass(trackDocument);
    billboardPass(trackDocument);
    if (bordersShown(preview)) {
        device->SetRenderState(D3DRS_DEPTHBIAS, kBorderDepthBias);
        borderPass(trackDocument);
        device->SetRenderState(D3DRS_DEPTHBIAS, 0);
    }
    device->EndScene();
}

}  // namespace

void drawFrame(HWND preview) {
    PAINTSTRUCT paint;
    BeginPaint(preview, &paint);
    renderer.clearFrame();
    if (trackDocument.isLoaded() && renderer.device) drawTrack(preview);
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
            return FALSE;
    }
}
