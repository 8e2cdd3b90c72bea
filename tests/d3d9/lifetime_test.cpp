// Reference counts and object lifetimes: every object goes when its count
// reaches 0, whatever order the application releases them in.
#include "device_fixture.h"
#include "platform/d3d9_inspect.h"

TEST_F(DeviceTest, AddRefAndReleaseCountAndFree) {
    const int before = platform::d3d9::liveObjectCount();
    IDirect3DVertexBuffer9* buffer = makeBuffer(levelSquare(1, 0, 0xFFFFFFFF));
    EXPECT_EQ(platform::d3d9::liveObjectCount(), before + 1);
    EXPECT_EQ(buffer->AddRef(), 2u);
    EXPECT_EQ(buffer->Release(), 1u);
    EXPECT_EQ(buffer->Release(), 0u);
    EXPECT_EQ(platform::d3d9::liveObjectCount(), before);
}

// The device keeps what is bound alive until it is unbound.
TEST_F(DeviceTest, BoundResourcesLiveUntilUnbound) {
    const int before = platform::d3d9::liveObjectCount();
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_, dataPath("red.bmp").c_str(), &texture), D3D_OK);
    IDirect3DVertexBuffer9* buffer = makeBuffer(levelSquare(1, 0, 0xFFFFFFFF));
    device_->SetTexture(0, texture);
    device_->SetStreamSource(0, buffer, 0, sizeof(TestVertex));
    EXPECT_EQ(texture->Release(), 0u);
    EXPECT_EQ(buffer->Release(), 0u);
    EXPECT_EQ(platform::d3d9::liveObjectCount(), before + 2);
    device_->SetTexture(0, nullptr);
    device_->SetStreamSource(0, nullptr, 0, 0);
    EXPECT_EQ(platform::d3d9::liveObjectCount(), before);
}

// Releasing the device and Direct3D first, with a texture still bound and
// held: nothing is freed early and nothing is left at the end.
TEST(DeviceLifetime, ReleaseInAnyOrder) {
    const int before = platform::d3d9::liveObjectCount();
    HWND window = platform::createBareWindow(16, 16);
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS params = {};
    params.Windowed = TRUE;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    IDirect3DDevice9* device = nullptr;
    ASSERT_EQ(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params, &device),
              D3D_OK);
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device, dataPath("red.bmp").c_str(), &texture), D3D_OK);
    device->SetTexture(0, texture);
    EXPECT_EQ(d3d->Release(), 0u);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_GT(platform::d3d9::liveObjectCount(), before);
    EXPECT_EQ(texture->Release(), 0u);
    EXPECT_EQ(platform::d3d9::liveObjectCount(), before);
    platform::destroyBareWindow(window);
}

TEST(DeviceLifetime, CreationRefusesWhatItCannotHonour) {
    IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d, nullptr);
    EXPECT_EQ(Direct3DCreate9(32), nullptr);
    HWND window = platform::createBareWindow(16, 16);
    D3DPRESENT_PARAMETERS params = {};
    params.Windowed = TRUE;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    IDirect3DDevice9* device = reinterpret_cast<IDirect3DDevice9*>(1);
    const DWORD sw = D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    HWND unknown = reinterpret_cast<HWND>(0x7);
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, unknown, sw, &params, &device),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, 0, &params, &device),
              D3DERR_INVALIDCALL);
    D3DPRESENT_PARAMETERS fullScreen = params;
    fullScreen.Windowed = FALSE;
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, sw, &fullScreen, &device),
              D3DERR_INVALIDCALL);
    D3DPRESENT_PARAMETERS stencil = params;
    stencil.EnableAutoDepthStencil = TRUE;
    stencil.AutoDepthStencilFormat = D3DFMT_D24S8;
    EXPECT_EQ(d3d->CreateDevice(0, D3DDEVTYPE_HAL, window, sw, &stencil, &device),
              D3DERR_INVALIDCALL);
    D3DDISPLAYMODE mode;
    EXPECT_EQ(d3d->GetAdapterDisplayMode(1, &mode), D3DERR_INVALIDCALL);
    EXPECT_EQ(d3d->Release(), 0u);
    platform::destroyBareWindow(window);
}

TEST_F(DeviceTest, VertexBufferLocksStayInsideTheBuffer) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    ASSERT_EQ(device_->CreateVertexBuffer(144, 0, kTestFvf, D3DPOOL_MANAGED, &buffer, nullptr),
              D3D_OK);
    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(100, 100, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(buffer->Lock(144, 0, &data, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Unlock(), D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);  // 0: the whole buffer
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    buffer->Release();
    IDirect3DVertexBuffer9* huge = nullptr;
    EXPECT_EQ(device_->CreateVertexBuffer(0xFFFFFFFFu, 0, 0, D3DPOOL_MANAGED, &huge, nullptr),
              D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(huge, nullptr);
    EXPECT_EQ(device_->CreateVertexBuffer(0, 0, 0, D3DPOOL_MANAGED, &huge, nullptr),
              D3DERR_INVALIDCALL);
}

// A draw that would read past the stream's end, or without a usable
// stream, format or scene, is refused.
TEST_F(DeviceTest, DrawsThatWouldReadOutsideTheStreamFail) {
    IDirect3DVertexBuffer9* buffer = makeBuffer(levelSquare(1, 0, 0xFFFFFFFF));
    device_->SetFVF(kTestFvf);
    device_->BeginScene();
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3DERR_INVALIDCALL);  // no stream
    device_->SetStreamSource(0, buffer, 0, sizeof(TestVertex));
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3D_OK);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 1, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 3), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0xFFFFFFF0u, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL);
    device_->SetStreamSource(0, buffer, 0, 12);  // stride shorter than the format
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetFVF(0x004), D3DERR_INVALIDCALL);  // pre-transformed: not drawn
    device_->EndScene();
    EXPECT_EQ(device_->EndScene(), D3DERR_INVALIDCALL);
    device_->SetStreamSource(0, buffer, 0, sizeof(TestVertex));
    EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2), D3DERR_INVALIDCALL);  // no scene
    device_->SetStreamSource(0, nullptr, 0, 0);
    buffer->Release();
}

TEST_F(DeviceTest, StatesThatWouldChangeThePictureUnseenAreRefused) {
    EXPECT_EQ(device_->SetRenderState(static_cast<D3DRENDERSTATETYPE>(22), 1),  // culling
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetRenderState(D3DRS_SRCBLEND, 99), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetRenderState(D3DRS_ALPHAREF, 256), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetRenderState(D3DRS_DEPTHBIAS, 0x7FC00000), D3DERR_INVALIDCALL);  // NaN
    EXPECT_EQ(device_->SetSamplerState(1, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetSamplerState(0, static_cast<D3DSAMPLERSTATETYPE>(1), 3),  // addressing
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetTexture(1, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(16), nullptr),
              D3DERR_INVALIDCALL);
}
