// The 4 x 4 product Direct3D's transforms and D3DX share. Every element sums
// its four products in order from zero, with or without SSE, so both give
// the same bits; SSE just works on a whole row at once.
#ifndef KELVANE_D3D9_MATRIX_PRODUCT_H
#define KELVANE_D3D9_MATRIX_PRODUCT_H

#include "simd.h"

namespace platform {
namespace d3d9 {

// out = a * b; out may not alias a or b.
inline void multiplyMatrices(const float (*a)[4], const float (*b)[4], float (*out)[4]) {
#if defined(KELVANE_VERTEX_SSE)
    const __m128 rows[4] = {_mm_loadu_ps(b[0]), _mm_loadu_ps(b[1]), _mm_loadu_ps(b[2]),
                            _mm_loadu_ps(b[3])};
    for (int r = 0; r < 4; ++r) {
        __m128 sum = _mm_add_ps(_mm_setzero_ps(), _mm_mul_ps(_mm_set1_ps(a[r][0]), rows[0]));
        sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(a[r][1]), rows[1]));
        sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(a[r][2]), rows[2]));
        sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(a[r][3]), rows[3]));
        _mm_storeu_ps(out[r], sum);
    }
#else
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a[r][k] * b[k][c];
            out[r][c] = sum;
        }
#endif
}

}  // namespace d3d9
}  // namespace platform

#endif
