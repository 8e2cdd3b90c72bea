// Damaged images fail with a reason and allocate nothing for sizes their
// bytes cannot hold.
#include <gtest/gtest.h>

#include <cstring>

#include "corpus_files.h"
#include "image_decode.h"

namespace {

const char* decode(const std::vector<uint8_t>& bytes) {
    imaging::DecodedImage image;
    const char* reason = imaging::decodeImage(bytes.data(), bytes.size(), &image);
    EXPECT_TRUE(!reason || image.rgba.empty());
    return reason;
}

TEST(DamagedImages, EveryCorpusFileCutInHalfFails) {
    for (const std::string& name : corpusImages()) {
        std::vector<uint8_t> bytes = corpusBytes(name);
        bytes.resize(bytes.size() / 2);
        EXPECT_NE(decode(bytes), nullptr) << name;
    }
}

// A 354-byte BMP header that declares 8192 x 8192 pixels.
TEST(DamagedImages, DeclaredSizeBeyondTheBytesFailsAtOnce) {
    std::vector<uint8_t> bytes = corpusBytes("bmp24.bmp");
    bytes.resize(354);
    const int32_t side = 8192;
    std::memcpy(&bytes[18], &side, 4);
    std::memcpy(&bytes[22], &side, 4);
    EXPECT_STREQ(decode(bytes), "BMP pixel data cut short");
}

TEST(DamagedImages, PngWithADamagedChecksumFails) {
    std::vector<uint8_t> bytes = corpusBytes("png-rgb8.png");
    for (size_t at = 8; at + 8 < bytes.size();) {
        const size_t length =
            size_t(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
        if (std::memcmp(&bytes[at + 4], "IDAT", 4) == 0) {
            bytes[at + 8 + length / 2] ^= 0x40;
            break;
        }
        at += 12 + length;
    }
    EXPECT_NE(decode(bytes), nullptr);
}

TEST(DamagedImages, PaletteProblemsFail) {
    std::vector<uint8_t> bmp = corpusBytes("bmp8.bmp");
    bmp[46] = 0x2C;  // 300 colours for an 8-bit image
    bmp[47] = 0x01;
    EXPECT_STREQ(decode(bmp), "BMP palette larger than its bit depth allows");
    std::vector<uint8_t> tga = corpusBytes("tga8-map-past-zero.tga");
    tga[3] = 200;  // the map now starts past every index the pixels use
    tga[4] = 0;
    EXPECT_STREQ(decode(tga), "TGA pixel index outside the colour map");
}

TEST(DamagedImages, SizesOutsideTheLimitsFail) {
    std::vector<uint8_t> tga = corpusBytes("tga24.tga");
    tga[12] = tga[13] = 0;  // width 0
    EXPECT_NE(decode(tga), nullptr);
    std::vector<uint8_t> dds = corpusBytes("dds-none.dds");
    const uint32_t huge = 1u << 20;
    std::memcpy(&dds[16], &huge, 4);
    EXPECT_STREQ(decode(dds), "DDS size out of range");
    EXPECT_NE(decode({}), nullptr);
    EXPECT_STREQ(decode({'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'}),
                 "not an image file");
}

}  // namespace
