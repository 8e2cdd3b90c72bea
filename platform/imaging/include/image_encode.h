// Writing pictures to PNG files: the scripted user's snapshots and
// D3DXSaveSurfaceToFile, on Linux and on Windows alike.
#ifndef KELVANE_IMAGING_IMAGE_ENCODE_H
#define KELVANE_IMAGING_IMAGE_ENCODE_H

#include <cstdint>

namespace imaging {

// pixels: height rows top-down of width texels, `channels` bytes each (3 for
// RGB, 4 for RGBA), packed. False when the arguments or the file fail.
bool writePng(const char* path, int width, int height, int channels, const uint8_t* pixels);

}  // namespace imaging

#endif
