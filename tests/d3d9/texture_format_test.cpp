// What D3DXCreateTextureFromFileA makes of an image: the format chosen by
// the file's alpha, a full mip chain described level by level, and a size
// brought down to the device's largest side.
#include <cstring>

#include "device_fixture.h"
#include "platform/d3d9_inspect.h"
#include "xfile_binary.h"

namespace {

// A 24-bit bottom-up BMP of width x height, colour picked per texel (y counts
// stored rows, from the bottom).
std::string bmp24(int width, int height, uint8_t (*texel)(int x, int y, int c)) {
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
            for (int c = 0; c < 3; ++c) file[54 + y * stride + x * 3 + c] = texel(x, y, 2 - c);
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

// 8200 columns (or rows): black and white stripes 41 texels wide, so the
// filtered texture keeps its stripes (each texel covers about one stripe
// texel). Each side is clamped on its own, as D3DX's requirements check does.
TEST_F(DeviceTest, ImagesLargerThanTheDeviceTakesAreFilteredDownToIt) {
    const std::string path = ::testing::TempDir() + "large.bmp";
    for (const bool wide : {true, false}) {
        writeFile(path, wide ? bmp24(8200, 3,
                                     [](int x, int, int c) -> uint8_t {
                                         return c == 0 ? 200 : (x / 41 % 2 ? 255 : 0);
                                     })
                             : bmp24(3, 8200, [](int, int y, int c) -> uint8_t {
                                   return c == 0 ? 200 : ((8199 - y) / 41 % 2 ? 255 : 0);
                               }));
        IDirect3DTexture9* texture = nullptr;
        ASSERT_EQ(D3DXCreateTextureFromFileA(device_, path.c_str(), &texture), D3D_OK);
        D3DSURFACE_DESC desc;
        texture->GetLevelDesc(0, &desc);
        EXPECT_EQ(desc.Width, wide ? 8192u : 3u);
        EXPECT_EQ(desc.Height, wide ? 3u : 8192u);
        platform::d3d9::TextureImage image;
        ASSERT_TRUE(platform::d3d9::readTexture(texture, &image));
        for (int along : {0, 20, 61, 8191}) {
            const int at = wide ? 8192 + along : along * 3 + 1;  // middle row or column
            const uint8_t* texel = &image.rgba[at * 4];
            EXPECT_EQ(texel[0], 200) << along;
            EXPECT_NEAR(texel[1], along * 8200 / 8192 / 41 % 2 ? 255 : 0, 1) << along;
            EXPECT_EQ(texel[3], 255);
        }
        texture->Release();
    }
}
