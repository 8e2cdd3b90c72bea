#include "texture_fit.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace d3d9 {
namespace {

// Shrinks along one axis: `count` lines of `length` texels become `target`
// lines, each the area-weighted mean of the source lines under it. `step`
// and `lineStep` are the distances (in texels) between neighbours along and
// across the axis.
std::vector<uint8_t> shrinkAxis(const std::vector<uint8_t>& in, int length, int target, int count,
                                size_t step, size_t lineStep, size_t outStep, size_t outLineStep) {
    std::vector<uint8_t> out(static_cast<size_t>(target) * count * 4);
    const double scale = static_cast<double>(length) / target;
    for (int t = 0; t < target; ++t) {
        const double from = t * scale, to = from + scale;
        for (int line = 0; line < count; ++line) {
            double sum[4] = {0, 0, 0, 0};
            for (int s = static_cast<int>(from); s < length && s < to; ++s) {
                const double weight = std::min<double>(s + 1, to) - std::max<double>(s, from);
                const uint8_t* texel = &in[(line * lineStep + s * step) * 4];
                for (int c = 0; c < 4; ++c) sum[c] += texel[c] * weight;
            }
            uint8_t* o = &out[(line * outLineStep + t * outStep) * 4];
            for (int c = 0; c < 4; ++c)
                o[c] = static_cast<uint8_t>(std::lround(std::min(255.0, sum[c] / scale)));
        }
    }
    return out;
}

}  // namespace

void fitTextureSize(int maxSide, int* width, int* height, std::vector<uint8_t>* rgba) {
    const int w = *width, h = *height;
    if (w > maxSide) {
        *rgba = shrinkAxis(*rgba, w, maxSide, h, 1, w, 1, maxSide);
        *width = maxSide;
    }
    if (h > maxSide) {
        *rgba = shrinkAxis(*rgba, h, maxSide, *width, *width, 1, *width, 1);
        *height = maxSide;
    }
}

}  // namespace d3d9
}  // namespace platform
