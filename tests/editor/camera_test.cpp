// The camera buttons' float arithmetic and the view made from the camera.
#include <gtest/gtest.h>

#include "camera_commands.h"
#include "kelvane_ids.h"
#include "preview.h"
#include "scene.h"

namespace {

Camera startCamera() {
    Camera c;
    c.heading = 3.14f;
    c.eyeX = 1500.0f;
    c.eyeY = 200.0f;
    c.eyeZ = 500.0f;
    c.moveStep = 10.0f;
    return c;
}

TEST(Camera, ForwardFromTheStartLandsOnTheFloatResults) {
    Camera c = startCamera();
    ASSERT_TRUE(moveCamera(c, IDC_CAMERA_FORWARD));
    EXPECT_EQ(c.eyeX, 1490.0f);
    EXPECT_EQ(c.eyeZ, 500.01593f);
    EXPECT_EQ(c.eyeY, 200.0f);
}

TEST(Camera, ThirtySixLeftTurnsStopJustShortOfHalfATurn) {
    Camera c = startCamera();
    for (int i = 0; i < 36; ++i) moveCamera(c, IDC_CAMERA_LEFT);
    EXPECT_EQ(c.heading, 6.2799978f);
    for (int i = 0; i < 36; ++i) moveCamera(c, IDC_CAMERA_RIGHT);
    EXPECT_NEAR(c.heading, 3.14f, 1e-5f);
}

TEST(Camera, HeightStepsByTenAndGoesBelowTheGround) {
    Camera c = startCamera();
    for (int i = 0; i < 20; ++i) moveCamera(c, IDC_CAMERA_UP);
    EXPECT_EQ(c.eyeY, 400.0f);
    for (int i = 0; i < 41; ++i) moveCamera(c, IDC_CAMERA_DOWN);
    EXPECT_EQ(c.eyeY, -10.0f);
    EXPECT_EQ(c.eyeX, 1500.0f);
}

TEST(Camera, OppositeStepsReturnAndSideStepsAreSideways) {
    Camera c = startCamera();
    moveCamera(c, IDC_CAMERA_STEP_LEFT);
    // Looking towards -X, left is -Z in this left-handed world.
    EXPECT_NEAR(c.eyeZ, 490.0f, 0.01f);
    EXPECT_NEAR(c.eyeX, 1500.0f - 0.0159f, 0.001f);
    moveCamera(c, IDC_CAMERA_STEP_RIGHT);
    EXPECT_NEAR(c.eyeX, 1500.0f, 1e-3f);
    EXPECT_NEAR(c.eyeZ, 500.0f, 1e-3f);
    moveCamera(c, IDC_CAMERA_FORWARD);
    moveCamera(c, IDC_CAMERA_BACK);
    EXPECT_NEAR(c.eyeX, 1500.0f, 1e-3f);
    EXPECT_NEAR(c.eyeZ, 500.0f, 1e-3f);
    EXPECT_FALSE(moveCamera(c, IDC_TRACK_NEW));
}

TEST(Camera, TargetLiesOnTheGroundAThousandUnitsAhead) {
    D3DXVECTOR3 target = cameraTarget(startCamera());
    EXPECT_NEAR(target.x, 500.0013f, 1e-4f);
    EXPECT_EQ(target.y, 0.0f);
    EXPECT_NEAR(target.z, 501.5925f, 1e-4f);
}

TEST(Camera, SetViewKeepsTheHorizontalLookDirection) {
    setView(D3DXVECTOR3(0, 1000, 0), D3DXVECTOR3(300, 0, 400), D3DXVECTOR3(0, 1, 0));
    EXPECT_FLOAT_EQ(scene.lookDirX, 0.6f);
    EXPECT_FLOAT_EQ(scene.lookDirZ, 0.8f);
    EXPECT_EQ(scene.eye[1], 1000.0f);
    // Straight down: no horizontal direction, the last one stays.
    setView(D3DXVECTOR3(5, 100, 5), D3DXVECTOR3(5, 0, 5), D3DXVECTOR3(0, 1, 0));
    EXPECT_FLOAT_EQ(scene.lookDirX, 0.6f);
    EXPECT_FLOAT_EQ(scene.lookDirZ, 0.8f);
    EXPECT_EQ(scene.eye[0], 5.0f);
}

}  // namespace
