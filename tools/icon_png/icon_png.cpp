// icon_png ICON.ico OUT.png: the first image of a Windows icon (32-bit
// colour with its transparency) as a PNG, for the desktop entries, which
// cannot show .ico files.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image_encode.h"

namespace {

uint32_t word(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int k = size - 1; k >= 0; --k) value = value << 8 | uint8_t(bytes[at + size_t(k)]);
    return value;
}

// The BGRA rows of a 32-bit DIB run bottom-up; PNG rows run top-down.
bool decodeFirstImage(const std::string& ico, int* size, std::vector<unsigned char>* rgba) {
    if (ico.size() < 22 || word(ico, 2, 2) != 1 || word(ico, 4, 2) < 1) return false;
    uint32_t offset = word(ico, 18, 4);
    if (offset > ico.size() || ico.size() - offset < 40) return false;
    int width = int(word(ico, offset + 4, 4));
    int height = int(word(ico, offset + 8, 4)) / 2;
    if (width <= 0 || width > 256 || height != width || word(ico, offset + 14, 2) != 32)
        return false;
    size_t pixels = offset + word(ico, offset, 4);
    if (pixels > ico.size() || ico.size() - pixels < size_t(width) * height * 4) return false;
    rgba->resize(size_t(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            size_t from = pixels + (size_t(height - 1 - y) * width + x) * 4;
            unsigned char* to = &(*rgba)[(size_t(y) * width + x) * 4];
            to[0] = uint8_t(ico[from + 2]);
            to[1] = uint8_t(ico[from + 1]);
            to[2] = uint8_t(ico[from]);
            to[3] = uint8_t(ico[from + 3]);
        }
    *size = width;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: icon_png ICON.ico OUT.png\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::string ico((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int size = 0;
    std::vector<unsigned char> rgba;
    if (!decodeFirstImage(ico, &size, &rgba)) {
        std::fprintf(stderr, "icon_png: %s: not a 32-bit icon\n", argv[1]);
        return 1;
    }
    if (!imaging::writePng(argv[2], size, size, 4, rgba.data())) {
        std::fprintf(stderr, "icon_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
