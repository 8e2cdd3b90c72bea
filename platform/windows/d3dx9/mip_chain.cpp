#include "mip_chain.h"

#include <algorithm>

namespace platform {
namespace d3dx9 {

imaging::DecodedImage halveImage(const imaging::DecodedImage& in) {
    imaging::DecodedImage out;
    out.width = std::max(1, in.width / 2);
    out.height = std::max(1, in.height / 2);
    out.hasAlpha = in.hasAlpha;
    out.rgba.resize(static_cast<size_t>(out.width) * out.height * 4);
    // A side already 1 texel long is not halved: its one texel is taken twice.
    const int stepX = in.width > 1 ? 1 : 0, stepY = in.height > 1 ? 1 : 0;
    auto texel = [&in](int x, int y, int c) {
        return unsigned(in.rgba[(static_cast<size_t>(y) * in.width + x) * 4 + c]);
    };
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const int x0 = 2 * x * stepX, y0 = 2 * y * stepY;
            for (int c = 0; c < 4; ++c) {
                const unsigned sum = texel(x0, y0, c) + texel(x0 + stepX, y0, c) +
                                     texel(x0, y0 + stepY, c) + texel(x0 + stepX, y0 + stepY, c);
                out.rgba[(static_cast<size_t>(y) * out.width + x) * 4 + c] = uint8_t((sum + 2) / 4);
            }
        }
    return out;
}

}  // namespace d3dx9
}  // namespace platform
