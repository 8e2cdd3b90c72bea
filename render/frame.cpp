#include "frame.h"

#include <cmath>

#include "hover.h"
#include "passes.h"
#include "renderer.h"
#include "scene.h"
#include "transforms.h"
#include "top_view.h"

Camera camera;

namespace {
// Raw DWORD 16, not the bits of 16.0f: the device reads it as a tiny float,
// which lifts the border lines just off the fields they stand on.
const DWORD kBorderDepthBias = 16;
}  // namespace

void prepareTrackScene() {
    renderer.device->SetRenderState(D3DRS_AMBIENT, kPreviewAmbient);
    scene.setProjection();
    scene.setWorld(identityMatrix());
    scene.setupLight();
}

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

// `fieldStep` above 1 draws the grid in blocks (see coarseFieldPass).
void drawPasses(const TrackDocument& track, const ViewVolume& volume, bool showBorders,
                bool fromAbove, DWORD fieldStep) {
    IDirect3DDevice9* device = renderer.device;
    device->BeginScene();
    // Drawn first without depth writes, the background stays behind the rest.
    backgroundPass(track, kBackgroundDistance);
    meshPass(track, volume);
    coarseFieldPass(track, volume, fieldStep);
    billboardPass(track, volume);
    hoverPass(track, scene.eye, fromAbove);
    if (showBorders) {
        device->SetRenderState(D3DRS_DEPTHBIAS, kBorderDepthBias);
        borderPass(track, volume);
        device->SetRenderState(D3DRS_DEPTHBIAS, 0);
    }
    device->EndScene();
}

}  // namespace

void drawTrackScene(const TrackDocument& track, const Camera& from, bool showBorders,
                    Culling culling) {
    const D3DXVECTOR3 eye(from.eyeX, from.eyeY, from.eyeZ), target = cameraTarget(from),
                                                            up(0.0f, 1.0f, 0.0f);
    setView(eye, target, up);
    if (culling == Culling::Off) {
        drawPasses(track, ViewVolume::everything(), showBorders, false, 1);
        return;
    }
    D3DXMATRIX view;
    D3DXMatrixLookAtLH(&view, &eye, &target, &up);
    drawPasses(track, ViewVolume(view, previewProjection()), showBorders, false, 1);
}

FrameView frameView(const TrackDocument& track, const Camera& from, bool topView, int width,
                    int height) {
    FrameView result;
    result.fromAbove = topView;
    if (topView) {
        topViewMatrices(track, width, height, &result.view, &result.projection);
        return result;
    }
    D3DXVECTOR3 eye(from.eyeX, from.eyeY, from.eyeZ), target = cameraTarget(from);
    D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtLH(&result.view, &eye, &target, &up);
    result.projection = previewProjection();
    return result;
}

// The background walls stand round the eye; from above they are seen edge
// on, so the eye is put over the middle of the grid. The whole grid is in
// view, a cell of a big track smaller than a pixel: it is drawn in blocks.
void drawTopViewScene(const TrackDocument& track, int width, int height, bool showBorders) {
    IDirect3DDevice9* device = renderer.device;
    D3DXMATRIX view, projection;
    topViewMatrices(track, width, height, &view, &projection);
    scene.eye[0] = float(track.header.sizeX) * 50.0f;
    scene.eye[1] = kTopViewEyeHeight;
    scene.eye[2] = float(track.header.sizeY) * 50.0f;
    device->SetTransform(D3DTS_VIEW, &view);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    drawPasses(track, ViewVolume(view, projection), showBorders, true,
               coarseStep(track.header.sizeX, track.header.sizeY));
    scene.setProjection();
}
