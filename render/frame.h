// The free camera and the scene of one frame: the view made from the camera
// and the drawing passes in their order. The Preview wraps this in its paint;
// benchmarks run it on a bare device.
#ifndef KELVANE_RENDER_FRAME_H
#define KELVANE_RENDER_FRAME_H

#include <windows.h>
#include <d3dx9.h>

#include "track_document.h"

// All five are 32-bit floats on purpose: the camera buttons round each step
// to float, and the positions they reach are part of the program's behaviour.
struct Camera {
    float heading;  // radians; looks along (cos, sin) in (X, Z)
    float eyeX;
    float eyeY;
    float eyeZ;
    float moveStep;  // the look-at point lies 100 steps ahead
};

extern Camera camera;

// Stores the eye and the horizontal look direction in the scene, then sets
// the left-handed view. An eye straight above or below the target keeps the
// previous look direction.
void setView(D3DXVECTOR3 eye, D3DXVECTOR3 target, D3DXVECTOR3 up);

// The ground point the camera looks at.
D3DXVECTOR3 cameraTarget(const Camera& from);

// The view from the camera and, between BeginScene and EndScene, every pass
// over the track; the borders only when shown, lifted by the depth bias.
void drawTrackScene(const TrackDocument& track, const Camera& from, bool showBorders);

// What a frame of a width x height picture is seen through: the free
// camera's view with the Preview's projection, or the top view's. Picking
// uses the same matrices the frame draws with.
struct FrameView {
    D3DXMATRIX view;
    D3DXMATRIX projection;
    bool fromAbove;
};
FrameView frameView(const TrackDocument& track, const Camera& from, bool topView, int width,
                    int height);

// The same passes seen from straight above; the Preview's own projection is
// set again afterwards.
void drawTopViewScene(const TrackDocument& track, int width, int height, bool showBorders);

#endif
