// D3DXCreateTextureFromFileA over bmp, tga, png, gif, tif and jpg.
#include "device_fixture.h"
#include "platform/d3d9_inspect.h"

class ImageLoadTest : public DeviceTest,
                      public ::testing::WithParamInterface<std::pair<const char*, int>> {};

// quadrants.*: 4 x 4, red, green / blue, yellow quarters, no alpha channel.
TEST_P(ImageLoadTest, QuartersArriveUprightAndOpaque) {
    const auto [name, tolerance] = GetParam();
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_, dataPath(name).c_str(), &texture), D3D_OK);
    platform::d3d9::TextureImage image;
    ASSERT_TRUE(platform::d3d9::readTexture(texture, &image));
    ASSERT_EQ(image.width, 4);
    ASSERT_EQ(image.height, 4);
    auto at = [&](int x, int y, int c) { return image.rgba[(y * 4 + x) * 4 + c]; };
    const int expected[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    const int corners[4][2] = {{0, 0}, {3, 0}, {0, 3}, {3, 3}};
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(at(corners[k][0], corners[k][1], c), expected[k][c], tolerance)
                << name << " corner " << k << " channel " << c;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(image.rgba[i * 4 + 3], 255);
    EXPECT_EQ(texture->Release(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ImageLoadTest,
    ::testing::Values(std::make_pair("quadrants.bmp", 0), std::make_pair("quadrants.tga", 0),
                      std::make_pair("quadrants-bottom-up.tga", 0),
                      std::make_pair("quadrants.png", 0), std::make_pair("quadrants.gif", 0),
                      std::make_pair("quadrants.tif", 0), std::make_pair("quadrants.jpg", 40)));

class AlphaLoadTest : public DeviceTest, public ::testing::WithParamInterface<const char*> {};

// alpha.*: 2 x 2 red, left column alpha 0, right column alpha 128.
TEST_P(AlphaLoadTest, AlphaChannelIsKept) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_, dataPath(GetParam()).c_str(), &texture), D3D_OK);
    platform::d3d9::TextureImage image;
    ASSERT_TRUE(platform::d3d9::readTexture(texture, &image));
    ASSERT_EQ(image.width, 2);
    EXPECT_EQ(image.rgba[3], 0);
    EXPECT_NEAR(image.rgba[7], 128, 1);
    EXPECT_EQ(image.rgba[4], 255);
    texture->Release();
}

INSTANTIATE_TEST_SUITE_P(Formats, AlphaLoadTest,
                         ::testing::Values("alpha.png", "alpha.tga", "alpha.tif"));

TEST_F(DeviceTest, GifTransparencyBecomesAlphaZero) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_, dataPath("transparent.gif").c_str(), &texture),
              D3D_OK);
    platform::d3d9::TextureImage image;
    platform::d3d9::readTexture(texture, &image);
    EXPECT_EQ(image.rgba[3], 0);
    EXPECT_EQ(image.rgba[7], 255);
    texture->Release();
}

TEST_F(DeviceTest, MissingOrDamagedImagesFailAndLeaveNull) {
    const std::string paths[] = {dataPath("damaged.png"),
                                 dataPath("damaged.tif"),
                                 dataPath("bad_huffman.jpg"),
                                 dataPath("bad_huffman_after_fill.jpg"),
                                 dataPath("png_chunk_too_long.png"),
                                 dataPath("no-such-file.bmp"),
                                 std::string(D3D9_TEST_DATA),
                                 dataPath("three_materials.x")};
    for (const std::string& path : paths) {
        IDirect3DTexture9* texture = reinterpret_cast<IDirect3DTexture9*>(1);
        EXPECT_EQ(D3DXCreateTextureFromFileA(device_, path.c_str(), &texture), E_FAIL) << path;
        EXPECT_EQ(texture, nullptr) << path;
    }
}

TEST_F(DeviceTest, WindowsSeparatorsReachTheFile) {
    IDirect3DTexture9* texture = nullptr;
    const std::string path = std::string(D3D9_TEST_DATA) + "\\quadrants.bmp";
    ASSERT_EQ(D3DXCreateTextureFromFileA(device_, path.c_str(), &texture), D3D_OK);
    texture->Release();
}
