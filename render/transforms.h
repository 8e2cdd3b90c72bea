// Matrix helpers that return by value so world matrices read as nested calls.
// Points are row vectors: p' = p * M, so in A * B the transform A acts first.
#ifndef KELVANE_RENDER_TRANSFORMS_H
#define KELVANE_RENDER_TRANSFORMS_H

#include <d3dx9.h>

D3DXMATRIX translationMatrix(float x, float y, float z);
D3DXMATRIX scalingMatrix(float x, float y, float z);
D3DXMATRIX rotationXMatrix(float angle);
D3DXMATRIX rotationYMatrix(float angle);
// b * a: applies b first, then a. The later transform is written first, so
// scale-rotate-translate reads composeMatrices(T, composeMatrices(R, S)).
D3DXMATRIX composeMatrices(D3DXMATRIX a, D3DXMATRIX b);
D3DXMATRIX identityMatrix();

#endif
