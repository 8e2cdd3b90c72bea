// The eight buttons of the Camera group.
#ifndef KELVANE_EDITOR_CAMERA_COMMANDS_H
#define KELVANE_EDITOR_CAMERA_COMMANDS_H

#include <windows.h>

struct Camera;

// Moves the camera as the button with this control id does; false for an id
// that is no camera button.
bool moveCamera(Camera& target, int controlId);

BOOL cameraCommand(HWND dialog, int controlId, WORD notification);

#endif
