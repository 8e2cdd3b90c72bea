#include "image_writer.h"

#include <cstdio>

namespace demo {
namespace {

void putLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void putLe32(std::vector<uint8_t>& out, uint32_t v) {
    putLe16(out, v & 0xFFFF);
    putLe16(out, v >> 16);
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

bool writeBmp24(const std::string& path, const Picture& picture) {
    const uint32_t rowBytes = (static_cast<uint32_t>(picture.width) * 3 + 3) & ~3u;
    const uint32_t dataBytes = rowBytes * static_cast<uint32_t>(picture.height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    putLe32(out, 54 + dataBytes);
    putLe32(out, 0);
    putLe32(out, 54);
    putLe32(out, 40);  // BITMAPINFOHEADER
    putLe32(out, static_cast<uint32_t>(picture.width));
    putLe32(out, static_cast<uint32_t>(picture.height));  // positive: bottom-up rows
    putLe16(out, 1);
    putLe16(out, 24);
    for (int i = 0; i < 6; ++i) putLe32(out, i == 1 ? dataBytes : 0);
    for (int y = picture.height - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < picture.width; ++x) {
            const Rgba& p = picture.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r});
        }
        out.resize(start + rowBytes, 0);
    }
    return writeBytes(path, out);
}

bool writeTga32(const std::string& path, const Picture& picture) {
    std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // uncompressed true colour
    putLe16(out, static_cast<uint32_t>(picture.width));
    putLe16(out, static_cast<uint32_t>(picture.height));
    out.push_back(32);
    out.push_back(8);  // eight alpha bits, bottom-left origin
    for (int y = picture.height - 1; y >= 0; --y)
        for (int x = 0; x < picture.width; ++x) {
            const Rgba& p = picture.at(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    return writeBytes(path, out);
}

}  // namespace demo
