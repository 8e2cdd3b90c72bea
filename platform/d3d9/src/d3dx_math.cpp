// The D3DX matrix builders, with the formulas the SDK documents. Both the
// stand-in and the Windows build use these; the D3DXMATRIX members and
// D3DXMatrixIdentity, inline in the real SDK, live in d3dx_matrix_class.cpp.
#include <d3dx9.h>

#include <cmath>

#include "matrix_product.h"

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
