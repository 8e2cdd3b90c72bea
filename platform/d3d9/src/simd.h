// Which form of the vertex arithmetic this build uses. SSE where the
// compiler offers it; the scalar form otherwise, or when the build asks for
// it (KELVANE_SCALAR_VERTICES, which CI builds and tests so that both forms
// stay bit for bit the same).
#ifndef KELVANE_D3D9_SIMD_H
#define KELVANE_D3D9_SIMD_H

#if defined(__SSE__) && !defined(KELVANE_SCALAR_VERTICES)
#define KELVANE_VERTEX_SSE 1
#include <xmmintrin.h>
#endif
#if defined(__SSE2__) && !defined(KELVANE_SCALAR_VERTICES)
#define KELVANE_VERTEX_SSE2 1
#include <emmintrin.h>
#endif

#endif
