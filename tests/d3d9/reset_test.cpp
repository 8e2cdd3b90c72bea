// Device Reset: a resized window gets back buffers of its new size, every
// state returns to its default, and the cases Windows refuses are refused.
#include <windows.h>

#include "device_fixture.h"

namespace {

D3DPRESENT_PARAMETERS windowedParams() {
    D3DPRESENT_PARAMETERS params = {};
    params.BackBufferFormat = D3DFMT_UNKNOWN;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = D3DFMT_D16;
    return params;
}

}  // namespace

TEST_F(DeviceTest, ResetTakesTheResizedClientAreaAndDrawsAtThatSize) {
    ASSERT_TRUE(MoveWindow(window_, 0, 0, 100, 30, FALSE));
    D3DPRESENT_PARAMETERS params = windowedParams();
    ASSERT_EQ(device_->Reset(&params), D3D_OK);
    EXPECT_EQ(params.BackBufferWidth, 100u);
    EXPECT_EQ(params.BackBufferHeight, 30u);
    clear(0xFF00FF00);
    const platform::Frame frame = present();
    ASSERT_EQ(frame.width, 100);
    ASSERT_EQ(frame.height, 30);
    EXPECT_EQ(pixel(frame, 99, 29).g, 255);
    EXPECT_EQ(pixel(frame, 0, 0).g, 255);

    params = windowedParams();
    params.BackBufferWidth = 20;
    params.BackBufferHeight = 10;
    ASSERT_EQ(device_->Reset(&params), D3D_OK);
    clear(0xFFFF0000);
    EXPECT_EQ(present().width, 20);
}

// Lighting is on by default and no light is set: a lit square is black.
TEST_F(DeviceTest, ResetReturnsStatesToTheirDefaults) {
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    D3DPRESENT_PARAMETERS params = windowedParams();
    ASSERT_EQ(device_->Reset(&params), D3D_OK);
    lookDownOrtho();
    clear(0xFF0000FF);
    drawFan(levelSquare(5, 0, 0xFFFF0000));
    const Rgba centre = pixel(present(), kWidth / 2, kHeight / 2);
    EXPECT_EQ(centre.r, 0);
    EXPECT_EQ(centre.b, 0);

    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    clear(0xFF0000FF);
    drawFan(levelSquare(5, 0, 0xFFFF0000));
    EXPECT_EQ(pixel(present(), kWidth / 2, kHeight / 2).r, 255);
}

TEST_F(DeviceTest, ResetIsRefusedInASceneAndWhileDefaultPoolBuffersAreHeld) {
    D3DPRESENT_PARAMETERS params = windowedParams();
    EXPECT_EQ(device_->Reset(nullptr), D3DERR_INVALIDCALL);
    ASSERT_EQ(device_->BeginScene(), D3D_OK);
    EXPECT_EQ(device_->Reset(&params), D3DERR_INVALIDCALL);
    ASSERT_EQ(device_->EndScene(), D3D_OK);

    IDirect3DVertexBuffer9* buffer = nullptr;
    ASSERT_EQ(device_->CreateVertexBuffer(64, D3DUSAGE_WRITEONLY, D3DFVF_XYZ, D3DPOOL_DEFAULT,
                                          &buffer, nullptr),
              D3D_OK);
    buffer->AddRef();
    EXPECT_EQ(device_->Reset(&params), D3DERR_INVALIDCALL);
    buffer->Release();  // one reference still held
    EXPECT_EQ(device_->Reset(&params), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Release(), 0u);
    EXPECT_EQ(device_->Reset(&params), D3D_OK);

    params = windowedParams();
    params.Windowed = FALSE;  // full screen is not provided
    EXPECT_EQ(device_->Reset(&params), D3DERR_INVALIDCALL);
}
