// What D3DXCreateTextureFromFileA makes of an image: the format chosen by
// the file's alpha, a full mip chain described level by level, and a size
// brought down to the device's largest side.
#include <cstring>

#include "device_fixture.h"
#include "platform/d3d9_inspect.h"
#include "xfile_binary.h"

namespace {

// A 24-bit bottom-up BMP of width x height, colour picked per column.
std::string bmp24(int width, int height, uint8_t (*column)(int x, int c)) {
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    std::string file(54 + stride * height, '\0');
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&file[at], &v, 4); };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    put32(26, 1 | 24 << 16);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) file[54 + y * stride + x * 3 + c] = column(x, 2 - c);
    return file;
}

}  // namespace

TEST_F(DeviceTest, FormatFollowsTheFilesAlphaAndEveryLevelIsDescribed) {
    const std::pair<const char*, D3DFORMAT> cases[] = {{"alpha.png", D3DFMT_A8R8G8B8},
                                                       {"transparent.gif", D3DFMT_A8R8G8B8},
                                                       {"quadrants.bmp", D3DFMT_X8R8G8B8},
                                                       {"quadrants.jpg", D3DFMT_X8R8G8B8}};
    for (const auto& [name, format] : cases) {
        IDirect3DTexture9* texture = nullptr;
        ASSERT_EQ(D3DXCreateTextureFromFileA(device_, dataPath(name).c_str(), &texture), D3D_OK);
        D3DSURFACE_DESC desc;
        ASSERT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
        EXPECT_EQ(desc.Format, format) << name;
        EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
        texture->Release();
    }
    IDirect3DTexture9* texture = nullptr;  // 4 x 4: levels 4x4, 2x2, 1x1
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_, dataPath("quadrants.png").c_str(), &texture),
              D3D_OK);
    D3DSURFACE_DESC desc;
    ASSERT_EQ(texture->GetLevelDesc(2, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 1u);
    EXPECT_EQ(desc.Height, 1u);
    EXPECT_EQ(texture->GetLevelDesc(3, &desc), D3DERR_INVALIDCALL);
    EXPECT_EQ(texture->GetLevelDesc(0, nullptr), D3DERR_INVALIDCALL);
    texture->Release();
}

// 8200 columns: black and white stripes of 41 columns, so the filtered
// texture keeps its stripes (each texel covers about one column).
TEST_F(DeviceTest, ImagesWiderThanTheDeviceTakesAreFilteredDownToIt) {
    const std::string path = ::testing::TempDir() + "wide.bmp";
    writeFile(path, bmp24(8200, 3, [](int x, int c) -> uint8_t {
                  return c == 0 ? 200 : (x / 41 % 2 ? 255 : 0);
              }));
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_, path.c_str(), &texture), D3D_OK);
    D3DSURFACE_DESC desc;
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 8192u);
    EXPECT_EQ(desc.Height, 3u);
    platform::d3d9::TextureImage image;
    ASSERT_TRUE(platform::d3d9::readTexture(texture, &image));
    ASSERT_EQ(image.width, 8192);
    for (int x : {0, 20, 61, 8191}) {
        const uint8_t* texel = &image.rgba[(8192 + x) * 4];
        EXPECT_EQ(texel[0], 200) << x;
        EXPECT_NEAR(texel[1], x * 8200 / 8192 / 41 % 2 ? 255 : 0, 1) << x;
        EXPECT_EQ(texel[3], 255);
    }
    texture->Release();
}
