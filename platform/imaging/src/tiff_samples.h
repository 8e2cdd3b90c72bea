// The TIFF layouts read sample by sample, beside libtiff's RGBA reader.
#ifndef KELVANE_IMAGING_TIFF_SAMPLES_H
#define KELVANE_IMAGING_TIFF_SAMPLES_H

#include <tiffio.h>

#include "image_formats.h"

namespace imaging {

// 16-bit CMYK or floating-point samples, which libtiff's RGBA reader refuses.
bool needsSampleReader(TIFF* tiff);

// The image of an open TIFF whose layout needsSampleReader; a reason when its
// layout or data cannot be read, with nothing left allocated.
const char* readTiffSamples(TIFF* tiff, uint32_t width, uint32_t height, DecodedImage* image);

}  // namespace imaging

#endif
