// Every corpus file decodes to what ImageMagick decodes: texel for texel for
// lossless formats, within a small tolerance for JPEG (other IDCT rounding
// and CMYK conversion). Alpha is compared where the decoder reports an
// alpha channel; without one every texel must be opaque.
#include <gtest/gtest.h>

#include <cstdlib>

#include "corpus_files.h"
#include "image_decode.h"

namespace {

bool has(const std::string& name, const char* part) {
    return name.find(part) != std::string::npos;
}

// Where the reference decoder rounds differently, by design not by fault.
int toleranceFor(const std::string& name) {
    if (has(name, ".jpg")) return has(name, "cmyk") ? 4 : 2;  // IDCT and ink conversion
    // 5-bit fields widened by repeated bits here, by a scale in ImageMagick's TGA reader.
    if (has(name, "tga15") || has(name, "tga16") || has(name, "map16")) return 1;
    // 16-bit samples and colour maps: libtiff's table against ImageMagick's rounding.
    if (has(name, "tiff-grey16") || has(name, "tiff-palette") || has(name, "16.tif")) return 1;
    if (has(name, "tiff-alpha") || has(name, "float")) return 1;
    // Samples that are no multiple of 257: libpng and ImageMagick round the
    // last 8-bit step apart.
    if (has(name, "pngsuite") && has(name, "16.png")) return 1;
    return 0;
}

// ImageMagick 6.9's BMP reader shifts 4-bit fields and a 1-bit alpha up
// without filling the low bits (15 becomes 240, alpha 1 becomes 128); a
// texture widens them to the full range (255). This is the reference value
// widened the same way.
int widenedReference(const std::string& name, int channel, int value) {
    if (has(name, "bmp16-4444")) return value | value >> 4;
    if (has(name, "bmp16-1555") && channel == 3) return value ? 255 : 0;
    return value;
}

// Largest channel difference, and where it is, over the whole picture.
struct Difference {
    int most = 0;
    size_t texel = 0;
    int channel = 0;
    int got = 0, expected = 0;
};

// TIFF: libtiff's RGBA reader premultiplies, so a texel of low alpha has
// lost colour precision (and one of alpha 0 all of it); colour is compared
// where alpha is at least half, within one step.
Difference compare(const imaging::DecodedImage& image, const Reference& reference,
                   const std::string& name) {
    Difference d;
    for (size_t i = 0; i < image.rgba.size(); ++i) {
        const int channel = static_cast<int>(i % 4);
        const size_t alphaAt = i - channel + 3;
        if (channel < 3 && has(name, ".tif") && reference.rgba[alphaAt] < 128) continue;
        const int expected = channel == 3 && !image.hasAlpha
                                 ? 255
                                 : widenedReference(name, channel, reference.rgba[i]);
        const int difference = std::abs(image.rgba[i] - expected);
        if (difference > d.most)
            d = Difference{difference, i / 4, channel, image.rgba[i], expected};
    }
    return d;
}

class CorpusTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusTest, DecodesAsTheReferenceDecoderDoes) {
    const std::string name = GetParam();
    const std::vector<uint8_t> bytes = corpusBytes(name);
    Reference reference;
    ASSERT_TRUE(readPam(corpusBytes(name + ".pam"), &reference)) << name;
    imaging::DecodedImage image;
    const char* reason = imaging::decodeImage(bytes.data(), bytes.size(), &image);
    ASSERT_EQ(reason, nullptr) << name << ": " << reason;
    ASSERT_EQ(image.width, reference.width) << name;
    ASSERT_EQ(image.height, reference.height) << name;
    const Difference d = compare(image, reference, name);
    EXPECT_LE(d.most, toleranceFor(name))
        << name << ": texel " << d.texel % image.width << "," << d.texel / image.width
        << " channel " << d.channel << ": " << d.got << " instead of " << d.expected;
}

// A file's alpha channel (or transparent palette entry) is reported, so the
// texture becomes A8R8G8B8; files without one give X8R8G8B8.
TEST(CorpusAlpha, ReportedForTheFilesThatCarryIt) {
    for (const std::string& name : corpusImages()) {
        const std::vector<uint8_t> bytes = corpusBytes(name);
        imaging::DecodedImage image;
        // D3DX ignores the fourth byte of a 32-bit BMP without an alpha mask.
        if (has(name, "no-alpha") || imaging::decodeImage(bytes.data(), bytes.size(), &image))
            continue;
        Reference reference;
        readPam(corpusBytes(name + ".pam"), &reference);
        bool translucent = false;
        for (size_t i = 3; i < reference.rgba.size(); i += 4)
            translucent |= reference.rgba[i] < 255;
        EXPECT_TRUE(!translucent || image.hasAlpha) << name << " has translucent texels";
    }
}

// Files whose layout has no alpha make X8R8G8B8 textures, as D3DX does.
TEST(CorpusAlpha, AbsentFromLayoutsWithoutIt) {
    for (const char* name :
         {"bmp24.bmp", "bmp32-no-alpha.bmp", "bmp16-565.bmp", "bmp8-rle8.bmp", "tga24.tga",
          "tga15.tga", "tga8-mapped.tga", "png-rgb16.png", "png-palette.png", "jpeg-cmyk.jpg",
          "gif.gif", "tiff-cmyk16.tif", "tiff-float32.tif", "dds-dxt1.dds", "dds-none.dds"}) {
        const std::vector<uint8_t> bytes = corpusBytes(name);
        imaging::DecodedImage image;
        ASSERT_EQ(imaging::decodeImage(bytes.data(), bytes.size(), &image), nullptr) << name;
        EXPECT_FALSE(image.hasAlpha) << name;
    }
}

// The four origins of one picture, stored in four orders, decode alike (not
// only like the reference decoder, which could share a fault).
TEST(CorpusOrigin, EveryTgaOriginGivesTheSamePicture) {
    std::vector<uint8_t> first;
    for (const char* name : {"tga32-bottom-left.tga", "tga32-bottom-right.tga",
                             "tga32-top-left.tga", "tga32-top-right.tga"}) {
        const std::vector<uint8_t> bytes = corpusBytes(name);
        imaging::DecodedImage image;
        ASSERT_EQ(imaging::decodeImage(bytes.data(), bytes.size(), &image), nullptr) << name;
        if (first.empty()) first = image.rgba;
        EXPECT_EQ(image.rgba, first) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Images, CorpusTest, ::testing::ValuesIn(corpusImages()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             std::string id = param.param;
                             for (char& c : id)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return id;
                         });

}  // namespace
