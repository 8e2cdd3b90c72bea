// Reading the program icons: 32-bit bitmaps inside .ico files, and refusal
// of anything cut short.
#include <gtest/gtest.h>

#include "icon.h"

namespace {

// A 2 x 2 32-bit icon: ICONDIR, one entry, BITMAPINFOHEADER, rows bottom-up.
std::vector<unsigned char> tinyIcon() {
    std::vector<unsigned char> bytes = {0,  0, 1,  0, 1,  0,         // ICONDIR
                                        2,  2, 0,  0, 1,  0, 32, 0,  // entry
                                        56, 0, 0,  0, 22, 0, 0,  0,  // size, offset
                                        40, 0, 0,  0, 2,  0, 0,  0,
                                        4,  0, 0,  0,  // header: 2 x (2*2)
                                        1,  0, 32, 0, 0,  0, 0,  0};
    bytes.resize(22 + 40, 0);
    // Bottom row: blue, green; top row: red, white (BGRA).
    unsigned char pixels[] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128};
    bytes.insert(bytes.end(), pixels, pixels + sizeof pixels);
    return bytes;
}

}  // namespace

TEST(Icon, DecodesA32BitBitmapTopDown) {
    std::vector<unsigned char> bytes = tinyIcon();
    win32::Icon icon;
    std::string reason;
    ASSERT_TRUE(win32::decodeIcon(bytes.data(), bytes.size(), &icon, &reason)) << reason;
    EXPECT_EQ(icon.width, 2);
    EXPECT_EQ(icon.height, 2);
    std::vector<unsigned char> expected = {255, 0, 0,   255, 255, 255, 255, 128,
                                           0,   0, 255, 255, 0,   255, 0,   255};
    EXPECT_EQ(icon.rgba, expected);
}

TEST(Icon, RefusesEveryTruncation) {
    std::vector<unsigned char> bytes = tinyIcon();
    for (size_t size = 0; size < bytes.size(); ++size) {
        win32::Icon icon;
        std::string reason;
        EXPECT_FALSE(win32::decodeIcon(bytes.data(), size, &icon, &reason)) << size;
        EXPECT_TRUE(icon.rgba.empty());
    }
}
