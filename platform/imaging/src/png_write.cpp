// libpng's simplified writer: 8-bit samples, no gamma or colour chunks beyond
// what it writes itself.
#include "image_encode.h"

#include <png.h>

namespace imaging {

bool writePng(const char* path, int width, int height, int channels, const uint8_t* pixels) {
    if (!path || !pixels || width <= 0 || height <= 0 || (channels != 3 && channels != 4))
        return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    const bool written =
        png_image_write_to_file(&image, path, 0, pixels, width * channels, nullptr) != 0;
    png_image_free(&image);
    return written;
}

}  // namespace imaging
