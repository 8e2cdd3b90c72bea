#include "transforms.h"

D3DXMATRIX translationMatrix(float x, float y, float z) {
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, x, y, z);
    return m;
}

D3DXMATRIX scalingMatrix(float x, float y, float z) {
    D3DXMATRIX m;
    D3DXMatrixScaling(&m, x, y, z);
    return m;
}

D3DXMATRIX rotationXMatrix(float angle) {
    D3DXMATRIX m;
    D3DXMatrixRotationX(&m, angle);
    return m;
}

D3DXMATRIX rotationYMatrix(float angle) {
    D3DXMATRIX m;
    D3DXMatrixRotationY(&m, angle);
    return m;
}

D3DXMATRIX composeMatrices(D3DXMATRIX a, D3DXMATRIX b) {
    D3DXMATRIX m;
    D3DXMatrixMultiply(&m, &b, &a);
    return m;
}

D3DXMATRIX identityMatrix() {
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    return m;
}
