// The Preview window: the free camera, the view made from it, and the frame
// every paint draws from the document.
#ifndef KELVANE_RENDER_PREVIEW_H
#define KELVANE_RENDER_PREVIEW_H

#include <windows.h>
#include <d3dx9.h>

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

// One frame: clear, and with a track the view and the passes, then present.
void drawFrame(HWND preview);

INT_PTR CALLBACK PreviewDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
