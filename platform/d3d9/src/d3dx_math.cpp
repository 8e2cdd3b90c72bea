// The D3DX matrix builders, with the formulas the SDK documents.
#include <d3dx9.h>

#include <cmath>

#include "matrix_product.h"

D3DXMATRIX::D3DXMATRIX(FLOAT f11, FLOAT f12, FLOAT f13, FLOAT f14, FLOAT f21, FLOAT f22, FLOAT f23,
                       FLOAT f24, FLOAT f31, FLOAT f32, FLOAT f33, FLOAT f34, FLOAT f41, FLOAT f42,
                       FLOAT f43, FLOAT f44) {
    const FLOAT values[16] = {f11, f12, f13, f14, f21, f22, f23, f24,
                              f31, f32, f33, f34, f41, f42, f43, f44};
    for (int i = 0; i < 16; ++i) m[i / 4][i % 4] = values[i];
}

D3DXMATRIX D3DXMATRIX::operator*(CONST D3DXMATRIX& mat) const {
    D3DXMATRIX out;
    D3DXMatrixMultiply(&out, this, &mat);
    return out;
}

D3DXMATRIX& D3DXMATRIX::operator*=(CONST D3DXMATRIX& mat) {
    D3DXMatrixMultiply(this, this, &mat);
    return *this;
}

bool D3DXMATRIX::operator==(CONST D3DXMATRIX& mat) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (m[r][c] != mat.m[r][c]) return false;
    return true;
}

D3DXMATRIX* WINAPI D3DXMatrixIdentity(D3DXMATRIX* pOut) {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) pOut->m[r][c] = r == c ? 1.0f : 0.0f;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixMultiply(D3DXMATRIX* pOut, CONST D3DXMATRIX* pM1,
                                      CONST D3DXMATRIX* pM2) {
    D3DXMATRIX product;  // pOut may alias an input
    platform::d3d9::multiplyMatrices(pM1->m, pM2->m, product.m);
    *pOut = product;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixTranslation(D3DXMATRIX* pOut, FLOAT x, FLOAT y, FLOAT z) {
    D3DXMatrixIdentity(pOut);
    pOut->_41 = x;
    pOut->_42 = y;
    pOut->_43 = z;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixScaling(D3DXMATRIX* pOut, FLOAT sx, FLOAT sy, FLOAT sz) {
    D3DXMatrixIdentity(pOut);
    pOut->_11 = sx;
    pOut->_22 = sy;
    pOut->_33 = sz;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationX(D3DXMATRIX* pOut, FLOAT Angle) {
    const float c = std::cos(Angle);
    const float s = std::sin(Angle);
    D3DXMatrixIdentity(pOut);
    pOut->_22 = c;
    pOut->_23 = s;
    pOut->_32 = -s;
    pOut->_33 = c;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixRotationY(D3DXMATRIX* pOut, FLOAT Angle) {
    const float c = std::cos(Angle);
    const float s = std::sin(Angle);
    D3DXMatrixIdentity(pOut);
    pOut->_11 = c;
    pOut->_13 = -s;
    pOut->_31 = s;
    pOut->_33 = c;
    return pOut;
}

D3DXMATRIX* WINAPI D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, FLOAT fovy, FLOAT Aspect, FLOAT zn,
                                              FLOAT zf) {
    const float yScale = 1.0f / std::tan(fovy / 2.0f);
    *pOut = D3DXMATRIX(yScale / Aspect, 0, 0, 0, 0, yScale, 0, 0, 0, 0, zf / (zf - zn), 1, 0, 0,
                       zn * zf / (zn - zf), 0);
    return pOut;
}

namespace {

D3DXVECTOR3 subtract(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return D3DXVECTOR3(a.x - b.x, a.y - b.y, a.z - b.z);
}

D3DXVECTOR3 cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return D3DXVECTOR3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// A zero vector stays zero, as D3DXVec3Normalize leaves it.
D3DXVECTOR3 normalize(const D3DXVECTOR3& v) {
    const float length = std::sqrt(dot(v, v));
    if (length == 0.0f) return D3DXVECTOR3(0, 0, 0);
    return D3DXVECTOR3(v.x / length, v.y / length, v.z / length);
}

}  // namespace

D3DXMATRIX* WINAPI D3DXMatrixLookAtLH(D3DXMATRIX* pOut, CONST D3DXVECTOR3* pEye,
                                      CONST D3DXVECTOR3* pAt, CONST D3DXVECTOR3* pUp) {
    const D3DXVECTOR3 z = normalize(subtract(*pAt, *pEye));
    const D3DXVECTOR3 x = normalize(cross(*pUp, z));
    const D3DXVECTOR3 y = cross(z, x);
    *pOut = D3DXMATRIX(x.x, y.x, z.x, 0, x.y, y.y, z.y, 0, x.z, y.z, z.z, 0, -dot(x, *pEye),
                       -dot(y, *pEye), -dot(z, *pEye), 1);
    return pOut;
}
