// Driving the camera from the Preview: held keys move it by speed x time
// (frame-rate independent, with the camera buttons' direction conventions),
// the right mouse button drags the heading and the eye height, the wheel
// walks, Home puts back the start values.
#ifndef KELVANE_EDITOR_PREVIEW_CAMERA_H
#define KELVANE_EDITOR_PREVIEW_CAMERA_H

#include <windows.h>

struct Camera;

// Speeds of held keys.
const double kWalkSpeed = 600.0;   // world units per second, arrows Up/Down and A/D
const double kClimbSpeed = 300.0;  // world units per second, Page Up/Page Down
const double kTurnSpeed = 1.5;     // radians per second, arrows Left/Right
// What the first press of a key moves by, as if held this long.
const DWORD kFirstPressMs = 33;
// Right drag and wheel.
const double kTurnPerPixel = 0.005;   // radians
const double kClimbPerPixel = 2.0;    // world units
const double kWalkPerNotch = 50.0;    // world units per WHEEL_DELTA

// True for the keys that move the camera.
bool isCameraKey(UINT key);
// Moves the camera for a key held `seconds` long.
void moveCameraByKey(Camera& c, UINT key, double seconds);

// WM_KEYDOWN / WM_KEYUP of a camera key at time `now` (GetTickCount);
// true when the camera moved.
bool cameraKeyDown(Camera& c, UINT key, bool repeated, DWORD now);
bool cameraKeyUp(Camera& c, UINT key, DWORD now);

void turnAndClimbByDrag(Camera& c, int dx, int dy);
void walkByWheel(Camera& c, int delta);
// The start values: heading 3.14, eye at (1500, 200, 500); the step stays.
void resetCamera(Camera& c);

#endif
