#include "camera_commands.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "editor_state.h"
#include "kelvane_ids.h"
#include "preview.h"

namespace {

// 3.14 / 36 as a float (bits 0x3DB2A191): just under five degrees, because
// the heading works with 3.14 rather than pi.
float turnStep() {
    const uint32_t bits = 0x3DB2A191u;
    float step;
    std::memcpy(&step, &bits, sizeof step);
    return step;
}

const double kHeightStep = 10.0;

// Each sum is formed in double from the float values and rounded once when
// stored, so the positions match the float results the buttons have always
// given.
float stepped(float from, double delta) {
    return static_cast<float>(from + delta);
}

}  // namespace

bool moveCamera(Camera& c, int controlId) {
    double h = c.heading;
    double s = c.moveStep;
    double ahead = std::cos(h) * s;
    double aside = std::sin(h) * s;
    switch (controlId) {
        case IDC_CAMERA_LEFT:
            c.heading = stepped(c.heading, turnStep());
            break;
        case IDC_CAMERA_RIGHT:
            c.heading = stepped(c.heading, -static_cast<double>(turnStep()));
            break;
        case IDC_CAMERA_UP:
            c.eyeY = stepped(c.eyeY, kHeightStep);
            break;
        case IDC_CAMERA_DOWN:
            c.eyeY = stepped(c.eyeY, -kHeightStep);
            break;
        case IDC_CAMERA_FORWARD:
            c.eyeX = stepped(c.eyeX, ahead);
            c.eyeZ = stepped(c.eyeZ, aside);
            break;
        case IDC_CAMERA_BACK:
            c.eyeX = stepped(c.eyeX, -ahead);
            c.eyeZ = stepped(c.eyeZ, -aside);
            break;
        case IDC_CAMERA_STEP_LEFT:
            c.eyeX = stepped(c.eyeX, -aside);
            c.eyeZ = stepped(c.eyeZ, ahead);
            break;
        case IDC_CAMERA_STEP_RIGHT:
            c.eyeX = stepped(c.eyeX, aside);
            c.eyeZ = stepped(c.eyeZ, -ahead);
            break;
        default:
            return false;
    }
    return true;
}

BOOL cameraCommand(HWND dialog, int controlId, WORD notification) {
    if (!moveCamera(camera, controlId)) return FALSE;
    requestRedraw();
    return TRUE;
}
