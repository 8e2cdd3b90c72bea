// The camera driven from the Preview: held keys move by speed x time
// whatever the rate of repeats, in the directions of the camera buttons.
#include <gtest/gtest.h>

#include <cmath>

#include "camera_commands.h"
#include "frame.h"
#include "kelvane_ids.h"
#include "preview_camera.h"

namespace {

Camera start() {
    return Camera{3.14f, 1500.0f, 200.0f, 500.0f, 10.0f};
}

double walked(const Camera& a, const Camera& b) {
    return std::hypot(double(b.eyeX) - a.eyeX, double(b.eyeZ) - a.eyeZ);
}

// Holds `key` for `ms` milliseconds with a repeat every `interval`.
Camera hold(UINT key, DWORD ms, DWORD interval) {
    Camera c = start();
    DWORD now = 5000;
    cameraKeyDown(c, key, false, now);
    for (DWORD t = interval; t <= ms; t += interval) cameraKeyDown(c, key, true, now + t);
    cameraKeyUp(c, key, now + ms);
    return c;
}

TEST(PreviewCamera, AHeldKeyMovesBySpeedTimesTimeAtAnyRepeatRate) {
    double expected = kWalkSpeed * (2.0 + kFirstPressMs / 1000.0);
    EXPECT_NEAR(walked(start(), hold(VK_UP, 2000, 33)), expected, 0.05);
    EXPECT_NEAR(walked(start(), hold(VK_UP, 2000, 100)), expected, 0.05);
    Camera raised = hold(VK_PRIOR, 1000, 50);
    EXPECT_NEAR(raised.eyeY, 200.0 + kClimbSpeed * (1.0 + kFirstPressMs / 1000.0), 0.01);
    Camera turned = hold(VK_LEFT, 1000, 20);
    EXPECT_NEAR(turned.heading, 3.14 + kTurnSpeed * (1.0 + kFirstPressMs / 1000.0), 1e-4);
}

// Each key goes the way of its button: Up as Forward, Down as Back, A as
// "<<", D as ">>", Left as "<", Right as ">", Page Up as "Up /\".
TEST(PreviewCamera, KeysGoTheWaysOfTheirButtons) {
    struct Pair {
        UINT key;
        int button;
    } pairs[] = {{VK_UP, IDC_CAMERA_FORWARD},    {VK_DOWN, IDC_CAMERA_BACK},
                 {'A', IDC_CAMERA_STEP_LEFT},    {'D', IDC_CAMERA_STEP_RIGHT},
                 {VK_LEFT, IDC_CAMERA_LEFT},     {VK_RIGHT, IDC_CAMERA_RIGHT},
                 {VK_PRIOR, IDC_CAMERA_UP},      {VK_NEXT, IDC_CAMERA_DOWN}};
    for (const Pair& p : pairs) {
        Camera byKey = start(), byButton = start();
        moveCameraByKey(byKey, p.key, 0.5);
        ASSERT_TRUE(moveCamera(byButton, p.button));
        auto sign = [](double v) { return v > 1e-6 ? 1 : v < -1e-6 ? -1 : 0; };
        EXPECT_EQ(sign(byKey.eyeX - 1500.0), sign(byButton.eyeX - 1500.0)) << p.key;
        EXPECT_EQ(sign(byKey.eyeZ - 500.0), sign(byButton.eyeZ - 500.0)) << p.key;
        EXPECT_EQ(sign(byKey.eyeY - 200.0), sign(byButton.eyeY - 200.0)) << p.key;
        EXPECT_EQ(sign(byKey.heading - 3.14), sign(byButton.heading - 3.14)) << p.key;
    }
}

TEST(PreviewCamera, AStalledRepeatIsCappedAndOtherKeysAreNotTheCamera) {
    Camera c = start();
    cameraKeyDown(c, VK_UP, false, 1000);
    Camera before = c;
    cameraKeyDown(c, VK_UP, true, 61000);  // a minute without messages
    EXPECT_LT(walked(before, c), kWalkSpeed);
    EXPECT_FALSE(cameraKeyDown(c, 'Q', false, 1000));
    EXPECT_FALSE(cameraKeyUp(c, VK_DOWN, 1000));  // never pressed
}

TEST(PreviewCamera, RightDragTurnsLikeTheTurnButtonsAndHomeRestarts) {
    Camera c = start();
    turnAndClimbByDrag(c, 20, -10);  // right and up
    EXPECT_LT(c.heading, 3.14f);     // as ">"
    EXPECT_GT(c.eyeY, 200.0f);
    walkByWheel(c, WHEEL_DELTA);
    EXPECT_NEAR(walked(start(), c), kWalkPerNotch, 0.01);
    resetCamera(c);
    EXPECT_EQ(c.heading, 3.14f);
    EXPECT_EQ(c.eyeX, 1500.0f);
    EXPECT_EQ(c.eyeY, 200.0f);
    EXPECT_EQ(c.eyeZ, 500.0f);
}

}  // namespace
