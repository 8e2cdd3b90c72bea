// TIFF layouts libtiff's RGBA reader does not draw, read sample by sample
// from strips: 16-bit CMYK and 32-bit floating-point grey or RGB (values 0 to
// 1), each with or without an alpha sample.
#include "tiff_samples.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace imaging {
namespace {

struct SampleLayout {
    uint16_t photometric = 0, bits = 0, samples = 0, format = SAMPLEFORMAT_UINT, planar = 0;
    int colours = 0;          // colour samples before any extra ones: 1, 3 or 4 (CMYK)
    int alpha = -1;           // index of the alpha sample, or -1
    bool associated = false;  // colour stored multiplied by alpha
};

SampleLayout layoutOf(TIFF* tiff) {
    SampleLayout l;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PHOTOMETRIC, &l.photometric);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &l.bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &l.samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &l.format);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &l.planar);
    l.colours = l.photometric == PHOTOMETRIC_SEPARATED ? 4
                : l.photometric == PHOTOMETRIC_RGB     ? 3
                                                       : 1;
    uint16_t extra = 0;
    uint16_t* kinds = nullptr;
    if (TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extra, &kinds) == 1 && extra > 0) {
        l.alpha = l.colours;
        l.associated = kinds[0] == EXTRASAMPLE_ASSOCALPHA;
    }
    return l;
}

const char* checkLayout(TIFF* tiff, const SampleLayout& l) {
    if (TIFFIsTiled(tiff) || l.planar != PLANARCONFIG_CONTIG)
        return "tiled or planar 16-bit CMYK and floating-point TIFFs are not read";
    const bool cmyk16 =
        l.photometric == PHOTOMETRIC_SEPARATED && l.bits == 16 && l.format == SAMPLEFORMAT_UINT;
    const bool float32 =
        l.format == SAMPLEFORMAT_IEEEFP && l.bits == 32 &&
        (l.photometric == PHOTOMETRIC_MINISBLACK || l.photometric == PHOTOMETRIC_RGB);
    if (!cmyk16 && !float32) return "unsupported TIFF sample layout";
    uint16_t inks = INKSET_CMYK;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &inks);
    if (cmyk16 && inks != INKSET_CMYK) return "TIFF inks other than CMYK are not read";
    if (l.samples < l.colours + (l.alpha >= 0 ? 1 : 0)) return "TIFF has too few samples";
    return nullptr;
}

// One sample as a value from 0 to 1.
double sampleAt(const uint8_t* row, size_t index, const SampleLayout& l) {
    if (l.format == SAMPLEFORMAT_IEEEFP) {
        float v;
        std::memcpy(&v, row + index * 4, 4);
        return std::isnan(v) ? 0.0 : std::min(1.0, std::max(0.0, static_cast<double>(v)));
    }
    uint16_t v;
    std::memcpy(&v, row + index * 2, 2);
    return v / 65535.0;
}

uint8_t toByte(double v) {
    return static_cast<uint8_t>(std::lround(v * 255.0));
}

// One pixel as RGBA, colour divided by alpha when it was stored multiplied.
void pixelOf(const uint8_t* row, size_t x, const SampleLayout& l, uint8_t* out) {
    const size_t first = x * l.samples;
    double rgb[3];
    if (l.colours == 4) {
        const double white = 1.0 - sampleAt(row, first + 3, l);
        for (int c = 0; c < 3; ++c) rgb[c] = (1.0 - sampleAt(row, first + c, l)) * white;
    } else {
        for (int c = 0; c < 3; ++c) rgb[c] = sampleAt(row, first + (l.colours == 3 ? c : 0), l);
    }
    const double alpha = l.alpha >= 0 ? sampleAt(row, first + l.alpha, l) : 1.0;
    for (int c = 0; c < 3; ++c)
        out[c] = toByte(l.associated && alpha > 0 ? std::min(1.0, rgb[c] / alpha) : rgb[c]);
    out[3] = toByte(alpha);
}

}  // namespace

bool needsSampleReader(TIFF* tiff) {
    const SampleLayout l = layoutOf(tiff);
    return (l.photometric == PHOTOMETRIC_SEPARATED && l.bits == 16) ||
           l.format == SAMPLEFORMAT_IEEEFP;
}

const char* readTiffSamples(TIFF* tiff, uint32_t width, uint32_t height, DecodedImage* image) {
    const SampleLayout l = layoutOf(tiff);
    if (const char* reason = checkLayout(tiff, l)) return reason;
    const uint64_t lineBytes = TIFFScanlineSize64(tiff);
    if (lineBytes < static_cast<uint64_t>(width) * l.samples * l.bits / 8)
        return "damaged TIFF header";
    std::vector<uint8_t> line(lineBytes);
    allocateImage(static_cast<int>(width), static_cast<int>(height), image);
    image->hasAlpha = l.alpha >= 0;
    for (uint32_t y = 0; y < height; ++y) {
        if (TIFFReadScanline(tiff, line.data(), y, 0) < 0) {
            image->rgba.clear();
            return "damaged TIFF data";
        }
        uint8_t* out = &image->rgba[static_cast<size_t>(y) * width * 4];
        for (uint32_t x = 0; x < width; ++x) pixelOf(line.data(), x, l, out + x * 4);
    }
    return nullptr;
}

}  // namespace imaging
