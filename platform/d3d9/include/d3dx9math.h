/*
 * The D3DX matrix and vector types and the matrix builders the programs use.
 * Matrices are row-major with row vectors on the left (p' = p * M), so in
 * A * B the transform A applies first.
 */
#ifndef KELVANE_PLATFORM_D3DX9MATH_H
#define KELVANE_PLATFORM_D3DX9MATH_H

#include <d3d9.h>

#define D3DX_PI ((FLOAT)3.141592654f)
#define D3DXToRadian(degree) ((degree) * (D3DX_PI / 180.0f))
#define D3DXToDegree(radian) ((radian) * (180.0f / D3DX_PI))

struct D3DXVECTOR3 : public D3DVECTOR {
    D3DXVECTOR3() = default;
    D3DXVECTOR3(CONST D3DVECTOR& v) : D3DVECTOR(v) {}
    D3DXVECTOR3(FLOAT fx, FLOAT fy, FLOAT fz) : D3DVECTOR{fx, fy, fz} {}
};

struct D3DXMATRIX : public D3DMATRIX {
    D3DXMATRIX() = default;
    D3DXMATRIX(CONST D3DMATRIX& mat) : D3DMATRIX(mat) {}
    D3DXMATRIX(FLOAT f11, FLOAT f12, FLOAT f13, FLOAT f14, FLOAT f21, FLOAT f22, FLOAT f23,
               FLOAT f24, FLOAT f31, FLOAT f32, FLOAT f33, FLOAT f34, FLOAT f41, FLOAT f42,
               FLOAT f43, FLOAT f44);

    FLOAT& operator()(UINT Row, UINT Col) { return m[Row][Col]; }
    FLOAT operator()(UINT Row, UINT Col) const { return m[Row][Col]; }
    operator FLOAT*() { return &_11; }
    operator CONST FLOAT*() const { return &_11; }

    D3DXMATRIX operator*(CONST D3DXMATRIX& mat) const;
    D3DXMATRIX& operator*=(CONST D3DXMATRIX& mat);
    bool operator==(CONST D3DXMATRIX& mat) const;
    bool operator!=(CONST D3DXMATRIX& mat) const { return !(*this == mat); }
};

typedef D3DXMATRIX* LPD3DXMATRIX;

D3DXMATRIX* WINAPI D3DXMatrixIdentity(D3DXMATRIX* pOut);
// pOut = pM1 * pM2: pM1 applies first. pOut may alias either input.
D3DXMATRIX* WINAPI D3DXMatrixMultiply(D3DXMATRIX* pOut, CONST D3DXMATRIX* pM1,
                                      CONST D3DXMATRIX* pM2);
D3DXMATRIX* WINAPI D3DXMatrixTranslation(D3DXMATRIX* pOut, FLOAT x, FLOAT y, FLOAT z);
D3DXMATRIX* WINAPI D3DXMatrixScaling(D3DXMATRIX* pOut, FLOAT sx, FLOAT sy, FLOAT sz);
D3DXMATRIX* WINAPI D3DXMatrixRotationX(D3DXMATRIX* pOut, FLOAT Angle);
D3DXMATRIX* WINAPI D3DXMatrixRotationY(D3DXMATRIX* pOut, FLOAT Angle);
D3DXMATRIX* WINAPI D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, FLOAT fovy, FLOAT Aspect, FLOAT zn,
                                              FLOAT zf);
D3DXMATRIX* WINAPI D3DXMatrixLookAtLH(D3DXMATRIX* pOut, CONST D3DXVECTOR3* pEye,
                                      CONST D3DXVECTOR3* pAt, CONST D3DXVECTOR3* pUp);

#endif
