// libpng's simplified writer: 8-bit RGBA, no gamma or colour chunks beyond
// what it writes itself.
#include "png_snapshot.h"

#include <png.h>

namespace win32 {

bool writePngSnapshot(const std::string& path, int width, int height,
                      const std::vector<uint8_t>& rgba) {
    if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * height * 4)
        return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    const bool written =
        png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), width * 4, nullptr) != 0;
    png_image_free(&image);
    return written;
}

}  // namespace win32
