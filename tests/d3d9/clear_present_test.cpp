// Clearing and presenting: what the Preview shows before any track exists.
#include "device_fixture.h"

TEST_F(DeviceTest, ClearedFrameIsOpaqueBlueEverywhere) {
    clear(0xFF0000FF);
    const platform::Frame frame = present();
    ASSERT_EQ(frame.width, kWidth);
    ASSERT_EQ(frame.height, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const Rgba p = pixel(frame, x, y);
            ASSERT_TRUE(p.r == 0 && p.g == 0 && p.b == 255 && p.a == 255) << x << "," << y;
        }
}

TEST_F(DeviceTest, PresentKeepsTheFrameUntilTheNextPresent) {
    clear(0xFF00FF00);
    present();
    clear(0xFFFF0000);  // drawn but not presented yet
    platform::Frame frame;
    ASSERT_TRUE(platform::readPresentedFrame(window_, &frame));
    EXPECT_EQ(pixel(frame, 3, 3).g, 255);
    EXPECT_EQ(pixel(frame, 3, 3).r, 0);
}

TEST_F(DeviceTest, UnsupportedClearsAndPresentsFailLoudly) {
    D3DRECT rect = {0, 0, 4, 4};
    EXPECT_EQ(device_->Clear(1, &rect, D3DCLEAR_TARGET, 0, 1, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 2.0f, 0), D3DERR_INVALIDCALL);
    RECT source = {0, 0, 4, 4};
    EXPECT_EQ(device_->Present(&source, nullptr, nullptr, nullptr), D3DERR_INVALIDCALL);
}
