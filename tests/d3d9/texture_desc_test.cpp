// What a loaded texture says about its levels: the size callers budget by.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "device_fixture.h"
#include "temp_folder.h"

namespace {

// An uncompressed 32-bit TGA of width x height white texels.
std::string writeWhiteTga(const TempFolder& folder, int width, int height) {
    std::string bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    bytes += {char(width), char(width >> 8), char(height), char(height >> 8), 32, 0x28};
    bytes += std::string(size_t(width) * height * 4, char(0xFF));
    const std::string path = folder.path("white.tga");
    TempFolder::write(path, bytes);
    return path;
}

TEST_F(DeviceTest, LevelDescriptionGivesTheImageSizeAndRefusesOtherLevels) {
    TempFolder folder;
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_, writeWhiteTga(folder, 5, 3).c_str(), &texture),
              D3D_OK);
    ASSERT_GE(texture->GetLevelCount(), 1u);
    D3DSURFACE_DESC desc = {};
    ASSERT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 5u);
    EXPECT_EQ(desc.Height, 3u);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(desc.Type, D3DRTYPE_SURFACE);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(texture->GetLevelDesc(texture->GetLevelCount(), &desc), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->GetLevelDesc(0, nullptr), D3DERR_INVALIDCALL);
    texture->Release();
}

}  // namespace
