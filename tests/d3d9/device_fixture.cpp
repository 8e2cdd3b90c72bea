#include "device_fixture.h"

#include <cstring>

#include "platform/d3d9_inspect.h"

void DeviceTest::SetUp() {
    liveAtStart_ = platform::d3d9::liveObjectCount();
    window_ = platform::createBareWindow(kWidth, kHeight);
    d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d_, nullptr);
    D3DPRESENT_PARAMETERS params = {};
    params.BackBufferFormat = D3DFMT_UNKNOWN;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = D3DFMT_D16;
    ASSERT_EQ(d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_,
                                 D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params, &device_),
              D3D_OK);
    EXPECT_EQ(params.BackBufferWidth, static_cast<UINT>(kWidth));
    EXPECT_EQ(params.BackBufferHeight, static_cast<UINT>(kHeight));
}

void DeviceTest::TearDown() {
    if (device_) {
        EXPECT_EQ(device_->Release(), 0u);
    }
    if (d3d_) {
        EXPECT_EQ(d3d_->Release(), 0u);
    }
    platform::destroyBareWindow(window_);
    EXPECT_EQ(platform::d3d9::liveObjectCount(), liveAtStart_);
}

IDirect3DVertexBuffer9* DeviceTest::makeBuffer(const std::vector<TestVertex>& vertices) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    const UINT size = static_cast<UINT>(vertices.size() * sizeof(TestVertex));
    EXPECT_EQ(device_->CreateVertexBuffer(size, 0, kTestFvf, D3DPOOL_MANAGED, &buffer, nullptr),
              D3D_OK);
    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(0, size, &data, 0), D3D_OK);
    std::memcpy(data, vertices.data(), size);
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    return buffer;
}

void DeviceTest::drawFan(const std::vector<TestVertex>& vertices) {
    IDirect3DVertexBuffer9* buffer = makeBuffer(vertices);
    device_->SetStreamSource(0, buffer, 0, sizeof(TestVertex));
    device_->SetFVF(kTestFvf);
    device_->BeginScene();
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, static_cast<UINT>(vertices.size() - 2)),
              D3D_OK);
    device_->EndScene();
    buffer->Release();
}

void DeviceTest::lookDownOrtho() {
    D3DXMATRIX view, projection;
    D3DXVECTOR3 eye(0, 10, 0), at(0, 0, 0), up(0, 0, 1);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    // Orthographic, depth 0 at the eye's near plane 1, 1 at 20.
    projection =
        D3DXMATRIX(0.1f, 0, 0, 0, 0, 1 / 7.5f, 0, 0, 0, 0, 1 / 19.0f, 0, 0, 0, -1 / 19.0f, 1);
    device_->SetTransform(D3DTS_VIEW, &view);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
}

void DeviceTest::clear(D3DCOLOR colour) {
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0), D3D_OK);
    EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, colour, 1.0f, 0), D3D_OK);
}

platform::Frame DeviceTest::present() {
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    platform::Frame frame;
    EXPECT_TRUE(platform::readPresentedFrame(window_, &frame));
    return frame;
}

Rgba DeviceTest::pixel(const platform::Frame& frame, int x, int y) {
    const unsigned char* p = &frame.rgba[(static_cast<size_t>(y) * frame.width + x) * 4];
    return Rgba{p[0], p[1], p[2], p[3]};
}

std::vector<TestVertex> levelSquare(float s, float y, D3DCOLOR colour) {
    return {{s, y, -s, 0, 1, 0, colour, 1, 1},
            {-s, y, -s, 0, 1, 0, colour, 0, 1},
            {-s, y, s, 0, 1, 0, colour, 0, 0},
            {s, y, s, 0, 1, 0, colour, 1, 0}};
}

std::string dataPath(const std::string& name) {
    return std::string(D3D9_TEST_DATA) + "/" + name;
}
