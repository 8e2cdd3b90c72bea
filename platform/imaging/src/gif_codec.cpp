// GIF through giflib: the first frame, drawn on the logical screen (filled
// with the background colour around it), interlaced or not, its transparent
// colour (graphic control extension) giving alpha 0. Later frames are not read.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "image_formats.h"

namespace imaging {
namespace {

struct GifSource {
    const uint8_t* bytes;
    size_t size;
    size_t at;
};

int readBytes(GifFileType* gif, GifByteType* out, int length) {
    auto* src = static_cast<GifSource*>(gif->UserData);
    const size_t count = std::min<size_t>(length < 0 ? 0 : length, src->size - src->at);
    std::memcpy(out, src->bytes + src->at, count);
    src->at += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Skips extensions up to the first image, noting its transparent colour.
const char* findFirstImage(GifFileType* gif, int* transparent) {
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR) return "GIF data cut short";
        if (record == IMAGE_DESC_RECORD_TYPE) return nullptr;
        if (record == TERMINATE_RECORD_TYPE) return "GIF without an image";
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return "GIF data cut short";
        if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
            *transparent = block[1] & 1 ? block[4] : -1;
        while (block)
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return "GIF data cut short";
    }
}

// The frame's rows in file order (interlaced files store every 8th row first).
std::vector<int> rowOrder(int height, bool interlaced) {
    std::vector<int> rows;
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass)
        for (int y = interlaced ? starts[pass] : 0; y < height; y += interlaced ? steps[pass] : 1)
            rows.push_back(y);
    return rows;
}

void fillBackground(const GifFileType* gif, int transparent, DecodedImage* image) {
    const ColorMapObject* map = gif->SColorMap;
    const int index = gif->SBackGroundColor;
    uint8_t colour[4] = {0, 0, 0, 255};
    if (index == transparent)
        colour[3] = 0;
    else if (map && index < map->ColorCount) {
        colour[0] = map->Colors[index].Red;
        colour[1] = map->Colors[index].Green;
        colour[2] = map->Colors[index].Blue;
    }
    for (size_t i = 0; i < image->rgba.size(); i += 4) std::memcpy(&image->rgba[i], colour, 4);
}

const char* drawFrame(GifFileType* gif, int transparent, DecodedImage* image) {
    const GifImageDesc& d = gif->Image;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    if (!map) return "GIF without a colour table";
    if (d.Width <= 0 || d.Height <= 0 || d.Left < 0 || d.Top < 0 ||
        d.Left + d.Width > image->width || d.Top + d.Height > image->height)
        return "GIF frame outside the screen";
    std::vector<GifPixelType> line(d.Width);
    for (int y : rowOrder(d.Height, d.Interlace)) {
        if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) return "GIF data cut short";
        uint8_t* out = &image->rgba[(size_t(d.Top + y) * image->width + d.Left) * 4];
        for (int x = 0; x < d.Width; ++x, out += 4) {
            const int index = line[x];
            if (index >= map->ColorCount) return "GIF pixel index beyond the colour table";
            out[0] = map->Colors[index].Red;
            out[1] = map->Colors[index].Green;
            out[2] = map->Colors[index].Blue;
            out[3] = index == transparent ? 0 : 255;
        }
    }
    return nullptr;
}

}  // namespace

const char* decodeGif(const uint8_t* bytes, size_t size, DecodedImage* image) {
    GifSource src{bytes, size, 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&src, readBytes, &error));
    if (!gif) return "damaged GIF header";
    int transparent = -1;
    if (const char* reason = findFirstImage(gif.get(), &transparent)) return reason;
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return "damaged GIF image header";
    // A frame reaching past a too small screen widens it rather than being cut.
    const GifImageDesc& frame = gif->Image;
    if (frame.Left < 0 || frame.Top < 0 || frame.Width <= 0 || frame.Height <= 0)
        return "damaged GIF image header";
    const int width = std::max(gif->SWidth, frame.Left + frame.Width);
    const int height = std::max(gif->SHeight, frame.Top + frame.Height);
    if (!sizeAccepted(width, height)) return "GIF size out of range";
    // LZW's longest code stands for 4096 pixels: more than that per byte cannot
    // be there, and a screen far larger than its frame is no texture either.
    const uint64_t most = static_cast<uint64_t>(size - src.at) * 4096;
    if (static_cast<uint64_t>(frame.Width) * frame.Height > most) return "GIF data cut short";
    if (static_cast<uint64_t>(width) * height > most)
        return "GIF screen out of proportion to its data";
    allocateImage(width, height, image);
    image->hasAlpha = transparent >= 0;
    fillBackground(gif.get(), transparent, image);
    return drawFrame(gif.get(), transparent, image);
}

}  // namespace imaging
