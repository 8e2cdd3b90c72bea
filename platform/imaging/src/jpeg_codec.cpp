// JPEG through libjpeg-turbo: baseline, extended and progressive, greyscale,
// YCbCr, RGB, and CMYK/YCCK (Adobe's inverted CMYK included) turned into RGB.
// Data that ends before the last scan is complete fails instead of being
// padded with grey.
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <vector>

#include "image_formats.h"

namespace imaging {
namespace {

struct JpegErrors {
    jpeg_error_mgr manager;
    jmp_buf jump;
    const char* reason;
};

void onError(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    errors->reason = "damaged JPEG data";
    longjmp(errors->jump, 1);
}

// Warnings are tolerated (stray bytes between segments are common in real
// files) except the end of the data arriving before the image is complete.
void onMessage(j_common_ptr cinfo, int level) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) {
        errors->reason = "JPEG data cut short";
        longjmp(errors->jump, 1);
    }
}

// One row of CMYK samples as RGB; Adobe stores the inks inverted.
void cmykRow(const uint8_t* in, size_t width, bool inverted, uint8_t* out) {
    for (size_t x = 0; x < width; ++x, in += 4, out += 4) {
        const int k = inverted ? in[3] : 255 - in[3];
        for (int c = 0; c < 3; ++c) {
            const int ink = inverted ? in[c] : 255 - in[c];
            out[c] = static_cast<uint8_t>((ink * k + 127) / 255);
        }
    }
}

// The decompression itself, where libjpeg may jump back to on an error:
// every object with a destructor lives in the caller.
const char* readImage(jpeg_decompress_struct* cinfo, JpegErrors* errors, size_t size,
                      std::vector<uint8_t>* row, DecodedImage* image) {
    if (setjmp(errors->jump)) return errors->reason;
    jpeg_read_header(cinfo, TRUE);
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBX;
    const uint64_t width = cinfo->image_width, height = cinfo->image_height;
    if (!sizeAccepted(width, height)) return "JPEG size out of range";
    // Each 8x8 block costs at least a bit: more blocks than bits cannot be there.
    if (width * height > static_cast<uint64_t>(size) * 8 * 64 + 4096) return "JPEG data cut short";
    jpeg_start_decompress(cinfo);
    allocateImage(static_cast<int>(width), static_cast<int>(height), image);
    row->resize(width * 4);
    while (cinfo->output_scanline < cinfo->output_height) {
        uint8_t* out = &image->rgba[size_t(cinfo->output_scanline) * width * 4];
        JSAMPROW target = cmyk ? row->data() : out;
        jpeg_read_scanlines(cinfo, &target, 1);
        if (cmyk) cmykRow(row->data(), width, cinfo->saw_Adobe_marker, out);
    }
    for (size_t i = 3; i < image->rgba.size(); i += 4) image->rgba[i] = 255;
    jpeg_finish_decompress(cinfo);
    return nullptr;
}

}  // namespace

const char* decodeJpeg(const uint8_t* bytes, size_t size, DecodedImage* image) {
    jpeg_decompress_struct cinfo;
    JpegErrors errors;
    cinfo.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = onError;
    errors.manager.emit_message = onMessage;
    errors.reason = nullptr;
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes, static_cast<unsigned long>(size));
    std::vector<uint8_t> row;
    const char* reason = readImage(&cinfo, &errors, size, &row, image);
    jpeg_destroy_decompress(&cinfo);
    return reason;
}

}  // namespace imaging
