// Pictures as plain pixel grids and the two simple file formats the demo
// needs: 24-bit BMP for opaque maps, 32-bit TGA where alpha matters.
#ifndef KELVANE_TOOLS_IMAGE_WRITER_H
#define KELVANE_TOOLS_IMAGE_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

namespace demo {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

// Rows top-down, as a person draws them; the writers flip where a format wants.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}
    Rgba& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Each returns false, with errno set by the C library, when the file cannot be written.
bool writeBmp24(const std::string& path, const Picture& picture);
bool writeTga32(const std::string& path, const Picture& picture);

}  // namespace demo

#endif
