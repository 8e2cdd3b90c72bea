// IDirect3D9: the adapter query and device creation.
#include <d3d9.h>

#include "object.h"

namespace platform {
namespace d3d9 {
namespace {

class Direct3D final : public IDirect3D9, public RefCounted {
public:
    ULONG AddRef() override { return addPublic(); }
    ULONG Release() override { return releasePublic(); }
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
    HRESULT CreateDevice(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*,
                         IDirect3DDevice9** device) override {
        if (device) *device = nullptr;
        return D3DERR_INVALIDCALL;
    }
};

HRESULT Direct3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
    if (adapter != D3DADAPTER_DEFAULT || !mode) return D3DERR_INVALIDCALL;
    *mode = D3DDISPLAYMODE{1024, 768, 60, D3DFMT_X8R8G8B8};
    return D3D_OK;
}

}  // namespace
}  // namespace d3d9
}  // namespace platform

IDirect3D9* WINAPI Direct3DCreate9(UINT SDKVersion) {
    if (SDKVersion != D3D_SDK_VERSION) return nullptr;
    return new platform::d3d9::Direct3D();
}
