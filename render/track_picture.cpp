#include "track_picture.h"

#include <d3dx9.h>

#include "kelvane_ids.h"
#include "preview_camera.h"
#include "renderer.h"
#include "track_assets.h"
#include "scene.h"
#include "selection.h"

namespace {

INT_PTR CALLBACK PictureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// Nothing is chosen in a picture: no cell, billboard or border is marked.
void clearSelections() {
    selectedFieldI = selectedFieldJ = -1;
    selectedBillboard = selectedBorder = -1;
}

std::string savePicture(const char* pngPath) {
    IDirect3DSurface9* backBuffer = nullptr;
    if (FAILED(renderer.device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer)))
        return "cannot read the picture back";
    HRESULT saved = D3DXSaveSurfaceToFileA(pngPath, D3DXIFF_PNG, backBuffer, nullptr, nullptr);
    backBuffer->Release();
    return FAILED(saved) ? std::string("cannot write ") + pngPath : "";
}

void drawView(const TrackDocument& track, const PictureRequest& request) {
    if (request.view == PictureView::Top) {
        drawTopViewScene(track, request.width, request.height, false);
    } else {
        drawTrackScene(track, request.view == PictureView::Start ? startCamera() : request.camera,
                       false);
    }
}

}  // namespace

Camera startCamera() {
    Camera start = {};
    start.moveStep = 10.0f;  // what the main dialog starts the step at
    resetCamera(start);
    return start;
}

std::string drawTrackPicture(const TrackDocument& track, const char* folder,
                             const PictureRequest& request, const char* pngPath) {
    if (request.width <= 0 || request.height <= 0) return "the picture has no pixels";
    HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PREVIEW),
                                     nullptr, PictureWindowProc, 0);
    if (!window) return "cannot make a window to draw in";
    if (FAILED(renderer.initRenderer(window, UINT(request.width), UINT(request.height))))
        return "Direct3D cannot start";
    prepareTrackScene();
    scene.buildQuads();
    clearSelections();
    loadTrackResources(track, folder);
    renderer.clearFrame();
    drawView(track, request);
    std::string failure = savePicture(pngPath);
    shutdownRenderer();
    return failure;
}
