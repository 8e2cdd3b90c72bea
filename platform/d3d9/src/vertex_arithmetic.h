// The row and lane arithmetic of the vertex pipeline. Where the compiler
// offers SSE, four columns or four vertices go at once; every result is
// bit for bit the scalar one, since each lane does the same operations in the
// same order and only products by exact zeros are left out.
#ifndef KELVANE_D3D9_VERTEX_ARITHMETIC_H
#define KELVANE_D3D9_VERTEX_ARITHMETIC_H

#include <d3d9.h>

#include <cstdint>

#include "matrix_product.h"

namespace platform {
namespace d3d9 {

#if !defined(KELVANE_VERTEX_SSE)
inline D3DMATRIX multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX out;
    multiplyMatrices(a.m, b.m, out.m);
    return out;
}
#endif

// Row vector (x, y, z, 1) times m.
inline void transformPoint(const float* p, const D3DMATRIX& m, float* out, int components) {
    for (int c = 0; c < components; ++c)
        out[c] = p[0] * m.m[0][c] + p[1] * m.m[1][c] + p[2] * m.m[2][c] + m.m[3][c];
}

// All four columns of the same product; with SSE, each column's sum still
// runs in the same order.
inline void transformPoint4(const float* p, const D3DMATRIX& m, float* out) {
#if defined(KELVANE_VERTEX_SSE)
    const __m128 x = _mm_mul_ps(_mm_set1_ps(p[0]), _mm_loadu_ps(m.m[0]));
    const __m128 y = _mm_mul_ps(_mm_set1_ps(p[1]), _mm_loadu_ps(m.m[1]));
    const __m128 z = _mm_mul_ps(_mm_set1_ps(p[2]), _mm_loadu_ps(m.m[2]));
    _mm_storeu_ps(out, _mm_add_ps(_mm_add_ps(_mm_add_ps(x, y), z), _mm_loadu_ps(m.m[3])));
#else
    transformPoint(p, m, out, 4);
#endif
}

#if !defined(KELVANE_VERTEX_SSE)
// Direct3D's clip depth runs 0..w and its pixel centres sit on integer
// coordinates; GL's depth runs -w..w and its centres sit at +0.5. This is m
// times the post-projection matrix that maps one onto the other, with the
// products by that matrix's zero entries left out: for finite m they add
// nothing, so the sums are those of the full product.
inline D3DMATRIX glClipAdjusted(const D3DMATRIX& m, float shiftX, float shiftY) {
    D3DMATRIX out;
    for (int r = 0; r < 4; ++r) {
        const float* row = m.m[r];
        out.m[r][0] = (0.0f + row[0]) + row[3] * shiftX;
        out.m[r][1] = (0.0f + row[1]) + row[3] * shiftY;
        out.m[r][2] = (0.0f + row[2] * 2.0f) + row[3] * -1.0f;
        out.m[r][3] = 0.0f + row[3];
    }
    return out;
}
#endif

#if defined(KELVANE_VERTEX_SSE)
// One row of a product, the row held in a register: the same sums, in the
// same order, as multiplyMatrices, without reading back a row just stored.
inline __m128 rowTimes(__m128 row, const float (*b)[4]) {
    __m128 sum = _mm_add_ps(_mm_setzero_ps(),
                            _mm_mul_ps(_mm_shuffle_ps(row, row, 0x00), _mm_loadu_ps(b[0])));
    sum = _mm_add_ps(sum, _mm_mul_ps(_mm_shuffle_ps(row, row, 0x55), _mm_loadu_ps(b[1])));
    sum = _mm_add_ps(sum, _mm_mul_ps(_mm_shuffle_ps(row, row, 0xAA), _mm_loadu_ps(b[2])));
    return _mm_add_ps(sum, _mm_mul_ps(_mm_shuffle_ps(row, row, 0xFF), _mm_loadu_ps(b[3])));
}

// glClipAdjusted for one row: (0 + row * (1, 1, 2, 1)) + row.w * (sx, sy, -1, 0).
// The last column's extra term is a zero, which changes no finite sum.
inline __m128 clipAdjustedRow(__m128 row, float shiftX, float shiftY) {
    const __m128 scaled = _mm_add_ps(_mm_setzero_ps(), _mm_mul_ps(row, _mm_setr_ps(1, 1, 2, 1)));
    const __m128 w = _mm_shuffle_ps(row, row, 0xFF);
    return _mm_add_ps(scaled, _mm_mul_ps(w, _mm_setr_ps(shiftX, shiftY, -1.0f, 0.0f)));
}

// The first three lanes, taken from the register rather than from memory.
inline void firstThree(__m128 v, float* out) {
    out[0] = _mm_cvtss_f32(v);
    out[1] = _mm_cvtss_f32(_mm_shuffle_ps(v, v, 0x55));
    out[2] = _mm_cvtss_f32(_mm_shuffle_ps(v, v, 0xAA));
}
#endif

#if !defined(KELVANE_VERTEX_SSE2)
// The nearest byte, halves rounded up. A float in 0..255 plus a half is exact
// in double, so truncating it rounds as lround would; NaN becomes 0 as well.
inline uint8_t toByte(float value) {
    const float clamped = value > 0.0f ? (value < 1.0f ? value : 1.0f) : 0.0f;
    return static_cast<uint8_t>(static_cast<double>(clamped * 255.0f) + 0.5);
}
#endif

// toByte for four lanes of each of r, g, b, a; bytes[lane] is one vertex's
// rgba. SSE's max and min pick exactly as the comparisons above do, NaN
// included, and the rounding is the same exact sum in double.
inline void lanesToBytes(const float (*rgba)[4], uint8_t (*bytes)[4]) {
#if defined(KELVANE_VERTEX_SSE2)
    for (int c = 0; c < 4; ++c) {
        __m128 v = _mm_max_ps(_mm_loadu_ps(rgba[c]), _mm_setzero_ps());
        v = _mm_mul_ps(_mm_min_ps(v, _mm_set1_ps(1.0f)), _mm_set1_ps(255.0f));
        const __m128d half = _mm_set1_pd(0.5);
        const __m128i low = _mm_cvttpd_epi32(_mm_add_pd(_mm_cvtps_pd(v), half));
        const __m128i high = _mm_cvttpd_epi32(_mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(v, v)), half));
        int32_t lanes[4];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes), _mm_unpacklo_epi64(low, high));
        for (int i = 0; i < 4; ++i) bytes[i][c] = static_cast<uint8_t>(lanes[i]);
    }
#else
    for (int c = 0; c < 4; ++c)
        for (int i = 0; i < 4; ++i) bytes[i][c] = toByte(rgba[c][i]);
#endif
}

}  // namespace d3d9
}  // namespace platform

#endif
