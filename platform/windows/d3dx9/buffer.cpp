// ID3DXBuffer on Windows: the material lists D3DXLoadMeshFromXA hands out.
#include "d3dx9_private.h"

namespace platform {
namespace d3dx9 {

HRESULT STDMETHODCALLTYPE Buffer::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualGUID(riid, IID_IUnknown) && !IsEqualGUID(riid, IID_ID3DXBuffer))
        return E_NOINTERFACE;
    AddRef();
    *out = this;
    return S_OK;
}

ULONG STDMETHODCALLTYPE Buffer::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

}  // namespace d3dx9
}  // namespace platform
