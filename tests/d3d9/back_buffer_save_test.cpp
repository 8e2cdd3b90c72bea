// The back buffer read through GetBackBuffer and written by
// D3DXSaveSurfaceToFileA: what trk render saves its pictures with.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "device_fixture.h"
#include "image_decode.h"
#include "temp_folder.h"

namespace {

bool decodeFile(const std::string& path, imaging::DecodedImage* image) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return !bytes.empty() && imaging::decodeImage(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                  bytes.size(), image) == nullptr;
}

// Drawn and not yet presented: the picture is what was drawn, not the last
// presented frame.
TEST_F(DeviceTest, BackBufferSavesAsPngBeforePresent) {
    TempFolder folder;
    clear(0xFF00FF00);
    present();
    clear(0xFFFF8000);
    IDirect3DSurface9* back = nullptr;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    std::string path = folder.path("back.png");
    EXPECT_EQ(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_PNG, back, nullptr, nullptr), D3D_OK);
    back->Release();
    imaging::DecodedImage image;
    ASSERT_TRUE(decodeFile(path, &image));
    ASSERT_EQ(image.width, kWidth);
    ASSERT_EQ(image.height, kHeight);
    for (size_t p = 0; p < image.rgba.size(); p += 4)
        ASSERT_TRUE(image.rgba[p] == 255 && image.rgba[p + 1] == 128 && image.rgba[p + 2] == 0 &&
                    image.rgba[p + 3] == 255)
            << p / 4;
}

TEST_F(DeviceTest, UnsupportedBackBufferReadsAndSavesFailLoudly) {
    TempFolder folder;
    IDirect3DSurface9* back = reinterpret_cast<IDirect3DSurface9*>(1);
    EXPECT_EQ(device_->GetBackBuffer(1, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3DERR_INVALIDCALL);
    EXPECT_EQ(back, nullptr);
    EXPECT_EQ(device_->GetBackBuffer(0, 1, D3DBACKBUFFER_TYPE_MONO, &back), D3DERR_INVALIDCALL);
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    std::string path = folder.path("x.bmp");
    RECT part = {0, 0, 4, 4};
    EXPECT_EQ(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_BMP, back, nullptr, nullptr),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXSaveSurfaceToFileA(path.c_str(), D3DXIFF_PNG, back, nullptr, &part),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXSaveSurfaceToFileA(nullptr, D3DXIFF_PNG, back, nullptr, nullptr),
              D3DERR_INVALIDCALL);
    std::string unwritable = folder.path("no/such/folder.png");
    EXPECT_EQ(D3DXSaveSurfaceToFileA(unwritable.c_str(), D3DXIFF_PNG, back, nullptr, nullptr),
              E_FAIL);
    EXPECT_EQ(std::ifstream(path).good(), false);
    back->Release();
}

}  // namespace
