#include "textures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace demo {
namespace {

// A repeatable value in [0, 1) for a grid point: integer hashing, no library
// random generator, so the pictures never depend on the C library.
float hashNoise(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFFFF) / 16777216.0f;
}

// Noise smoothed over a cell of `period` pixels that wraps at `size`, so maps tile.
float smoothNoise(int x, int y, int period, int size, uint32_t seed) {
    const int cells = size / period;
    const float fx = static_cast<float>(x) / period, fy = static_cast<float>(y) / period;
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const float tx = fx - x0, ty = fy - y0;
    auto corner = [&](int cx, int cy) { return hashNoise(cx % cells, cy % cells, seed); };
    const float top = corner(x0, y0) * (1 - tx) + corner(x0 + 1, y0) * tx;
    const float bottom = corner(x0, y0 + 1) * (1 - tx) + corner(x0 + 1, y0 + 1) * tx;
    return top * (1 - ty) + bottom * ty;
}

uint8_t channel(float v) {
    return static_cast<uint8_t>(std::clamp(v, 0.0f, 255.0f));
}

Rgba shade(float r, float g, float b, float light) {
    return Rgba{channel(r * light), channel(g * light), channel(b * light), 255};
}

}  // namespace

Picture grassTexture() {
    Picture p(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float light = 0.75f + 0.35f * smoothNoise(x, y, 8, 64, 1) +
                                0.2f * (hashNoise(x, y, 2) - 0.5f);
            p.at(x, y) = shade(70, 140, 50, light);
        }
    return p;
}

Picture asphaltTexture(bool centreLine) {
    Picture p(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float grain = 0.85f + 0.3f * (hashNoise(x, y, 3) - 0.5f);
            p.at(x, y) = shade(85, 85, 90, grain);
            const bool edge = x == 3 || x == 4 || x == 59 || x == 60;
            const bool dash = centreLine && (x == 31 || x == 32) && (y % 32) < 16;
            if (edge || dash) p.at(x, y) = shade(235, 235, 225, grain);
        }
    return p;
}

Picture kerbTexture() {
    Picture p(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const float grain = 0.85f + 0.3f * (hashNoise(x, y, 4) - 0.5f);
            const bool red = ((x + y) / 16) % 2 == 0;
            p.at(x, y) = red ? shade(200, 40, 35, grain) : shade(230, 230, 230, grain);
        }
    return p;
}

Picture stoneWallTexture() {
    Picture p(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int row = y / 16;
            const int shifted = x + (row % 2) * 16;
            const bool mortar = y % 16 == 0 || shifted % 32 == 0;
            const int block = (shifted / 32) * 7 + row;
            const float light = 0.75f + 0.25f * hashNoise(block, row, 5) +
                                0.15f * (hashNoise(x, y, 6) - 0.5f);
            p.at(x, y) = mortar ? shade(70, 65, 60, 1.0f) : shade(150, 140, 125, light);
        }
    return p;
}

Picture skyTexture() {
    Picture p(128, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const float t = static_cast<float>(y) / 127.0f;  // 0 at the top
            const float cloud = std::max(0.0f, smoothNoise(x, y, 16, 128, 7) - 0.55f) * 2.0f;
            const float r = 40 + 150 * t, g = 90 + 130 * t, b = 190 + 60 * t;
            p.at(x, y) = Rgba{channel(r + (255 - r) * cloud), channel(g + (255 - g) * cloud),
                              channel(b + (255 - b) * cloud), 255};
        }
    return p;
}

Picture treeTexture() {
    Picture p(64, 128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 64; ++x) {
            const float dx = (x - 31.5f) / 28.0f, dy = (y - 46.0f) / 44.0f;
            const bool crown = dx * dx + dy * dy < 1.0f - 0.25f * smoothNoise(x, y, 8, 64, 8);
            const bool trunk = y >= 80 && x >= 27 && x <= 36;
            Rgba colour{0, 0, 0, 0};
            if (trunk) colour = shade(100, 65, 35, 0.8f + 0.3f * hashNoise(x, y, 9));
            if (crown) colour = shade(40, 110, 40, 0.7f + 0.5f * smoothNoise(x, y, 4, 64, 10));
            p.at(x, y) = colour;
        }
    return p;
}

Picture chequerTexture() {
    Picture p(64, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool white = ((x / 8) + (y / 8)) % 2 == 0;
            p.at(x, y) = white ? Rgba{245, 245, 245, 255} : Rgba{20, 20, 20, 255};
        }
    return p;
}

}  // namespace demo
