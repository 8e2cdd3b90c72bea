#include "track_picture.h"

#include <d3dx9.h>

#include "kelvane_ids.h"
#include "renderer.h"
#include "resources.h"
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

bool drawView(const TrackDocument& track, const PictureRequest& request) {
    if (request.view == PictureView::Top) return false;  // TOPVIEW
    drawTrackScene(track, request.view == PictureView::Start ? startCamera() : request.camera,
                   false);
    return true;
}

}  // namespace

Camera startCamera() {
    Camera start;
    start.heading = 3.14f;
    start.eyeX = 1500.0f;
    start.eyeY = 200.0f;
    start.eyeZ = 500.0f;
    start.moveStep = 10.0f;
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
    std::string failure = drawView(track, request) ? savePicture(pngPath) : "no top view yet";
    shutdownRenderer();
    return failure;
}
