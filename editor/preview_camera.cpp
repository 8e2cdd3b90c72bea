#include "preview_camera.h"

#include <cmath>

#include "frame.h"

namespace {

// Past this a key's time is not counted: a stalled program does not send
// the camera flying when it wakes.
const DWORD kLongestStepMs = 600;

struct HeldKey {
    bool down = false;
    DWORD since = 0;  // when the movement was last brought up to date
};

HeldKey& held(UINT key) {
    static HeldKey keys[256];
    return keys[key & 0xFF];
}

float stepped(float from, double delta) {
    return static_cast<float>(from + delta);
}

void walk(Camera& c, double ahead, double aside) {
    double h = c.heading;
    c.eyeX = stepped(c.eyeX, std::cos(h) * ahead + std::sin(h) * aside);
    c.eyeZ = stepped(c.eyeZ, std::sin(h) * ahead - std::cos(h) * aside);
}

// Moves by the time since the key's last update, and updates it.
bool catchUp(Camera& c, UINT key, DWORD now) {
    HeldKey& k = held(key);
    DWORD elapsed = now - k.since;
    if (elapsed > kLongestStepMs) elapsed = kLongestStepMs;
    k.since = now;
    if (elapsed == 0) return false;
    moveCameraByKey(c, key, elapsed / 1000.0);
    return true;
}

}  // namespace

bool isCameraKey(UINT key) {
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_PRIOR:
        case VK_NEXT:
        case 'A':
        case 'D':
            return true;
        default:
            return false;
    }
}

// Forward, left and sideways as the Forward, "<" and "<<" buttons go.
void moveCameraByKey(Camera& c, UINT key, double seconds) {
    switch (key) {
        case VK_UP: walk(c, kWalkSpeed * seconds, 0); break;
        case VK_DOWN: walk(c, -kWalkSpeed * seconds, 0); break;
        case 'A': walk(c, 0, -kWalkSpeed * seconds); break;
        case 'D': walk(c, 0, kWalkSpeed * seconds); break;
        case VK_LEFT: c.heading = stepped(c.heading, kTurnSpeed * seconds); break;
        case VK_RIGHT: c.heading = stepped(c.heading, -kTurnSpeed * seconds); break;
        case VK_PRIOR: c.eyeY = stepped(c.eyeY, kClimbSpeed * seconds); break;
        case VK_NEXT: c.eyeY = stepped(c.eyeY, -kClimbSpeed * seconds); break;
        default: break;
    }
}

bool cameraKeyDown(Camera& c, UINT key, bool repeated, DWORD now) {
    if (!isCameraKey(key)) return false;
    HeldKey& k = held(key);
    if (repeated && k.down) return catchUp(c, key, now);
    k.down = true;
    k.since = now;
    moveCameraByKey(c, key, kFirstPressMs / 1000.0);
    return true;
}

bool cameraKeyUp(Camera& c, UINT key, DWORD now) {
    if (!isCameraKey(key) || !held(key).down) return false;
    bool moved = catchUp(c, key, now);
    held(key).down = false;
    return moved;
}

// Dragging right turns right, as ">" does; dragging up raises the eye.
void turnAndClimbByDrag(Camera& c, int dx, int dy) {
    c.heading = stepped(c.heading, -dx * kTurnPerPixel);
    c.eyeY = stepped(c.eyeY, -dy * kClimbPerPixel);
}

void walkByWheel(Camera& c, int delta) {
    walk(c, kWalkPerNotch * delta / WHEEL_DELTA, 0);
}

void resetCamera(Camera& c) {
    c.heading = 3.14f;
    c.eyeX = 1500.0f;
    c.eyeY = 200.0f;
    c.eyeZ = 500.0f;
}
