#include <gtest/gtest.h>

#include "mip_chain.h"

namespace {

imaging::DecodedImage image(int width, int height, std::vector<uint8_t> rgba) {
    imaging::DecodedImage made;
    made.width = width;
    made.height = height;
    made.rgba = std::move(rgba);
    return made;
}

TEST(MipChain, FourTexelsAverageToOneRoundedPerChannel) {
    auto level = platform::d3dx9::halveImage(image(2, 2, {0, 10, 255, 255,   1, 20, 255, 0,
                                                          2, 30, 0, 255,     4, 41, 0, 0}));
    ASSERT_EQ(level.width, 1);
    ASSERT_EQ(level.height, 1);
    EXPECT_EQ(level.rgba, (std::vector<uint8_t>{2, 25, 128, 128}));
}

TEST(MipChain, OneTexelSideStaysAndOddLastColumnIsLeftOut) {
    // 3 x 1: the pair (0, 1) makes the one texel; column 2 is beyond the level.
    auto wide = platform::d3dx9::halveImage(image(3, 1, {10, 10, 10, 10,  30, 30, 30, 30,
                                                         255, 255, 255, 255}));
    EXPECT_EQ(wide.width, 1);
    EXPECT_EQ(wide.height, 1);
    EXPECT_EQ(wide.rgba, (std::vector<uint8_t>{20, 20, 20, 20}));
    // 1 x 4: rows pair up, the width stays 1.
    auto tall = platform::d3dx9::halveImage(image(1, 4, {0, 0, 0, 0,  2, 2, 2, 2,
                                                         100, 0, 0, 0,  200, 0, 0, 0}));
    EXPECT_EQ(tall.width, 1);
    ASSERT_EQ(tall.height, 2);
    EXPECT_EQ(tall.rgba, (std::vector<uint8_t>{1, 1, 1, 1, 150, 0, 0, 0}));
}

TEST(MipChain, HalvingDownToOneTexelTakesAsManyLevelsAsTheDeviceCounts) {
    imaging::DecodedImage level = image(5, 12, std::vector<uint8_t>(5 * 12 * 4, 7));
    int levels = 1;
    while (level.width > 1 || level.height > 1) {
        level = platform::d3dx9::halveImage(level);
        ++levels;
    }
    // 12 -> 6 -> 3 -> 1: four levels, as floor(log2(12)) + 1.
    EXPECT_EQ(levels, 4);
    EXPECT_EQ(level.rgba, (std::vector<uint8_t>{7, 7, 7, 7}));
}

}  // namespace
