// The one way the renderer lets go of a Direct3D or D3DX object: released
// once, and the pointer forgotten so nothing releases it again.
#ifndef KELVANE_RENDER_COM_RELEASE_H
#define KELVANE_RENDER_COM_RELEASE_H

template <typename T>
void releaseCom(T*& object) {
    if (object) object->Release();
    object = nullptr;
}

#endif
