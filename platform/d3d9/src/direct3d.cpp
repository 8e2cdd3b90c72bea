// IDirect3D9: the adapter query and device creation.
#include <d3d9.h>

#include "device.h"
#include "gl_target.h"
#include "object.h"
#include "trace.h"

namespace platform {
namespace d3d9 {
namespace {

class Direct3D final : public IDirect3D9, public RefCounted {
public:
    ULONG AddRef() override { return addPublic(); }
    ULONG Release() override { return releasePublic(); }
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override;
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focus, DWORD flags,
                         D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) override;
};

// The host's display is not the device's business: a windowed device renders
// into its own buffers, so a fixed desktop mode is reported.
HRESULT Direct3D::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) {
    if (adapter != D3DADAPTER_DEFAULT || !mode) return D3DERR_INVALIDCALL;
    *mode = D3DDISPLAYMODE{1024, 768, 60, D3DFMT_X8R8G8B8};
    return D3D_OK;
}

int depthBitsOf(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_D16:
            return 16;
        case D3DFMT_D24X8:
            return 24;
        case D3DFMT_D32:
            return 32;
        default:
            return -1;  // stencil formats included: the layer makes no stencil buffer
    }
}

const DWORD kVertexProcessing = D3DCREATE_SOFTWARE_VERTEXPROCESSING |
                                D3DCREATE_HARDWARE_VERTEXPROCESSING |
                                D3DCREATE_MIXED_VERTEXPROCESSING;

// Windowed, single-sampled devices on the default HAL adapter only; the
// back buffer defaults to the window's client size, as on Windows.
HRESULT targetFormatOf(UINT adapter, D3DDEVTYPE type, HWND window, DWORD flags,
                       const D3DPRESENT_PARAMETERS& p, TargetFormat* format) {
    const DWORD processing = flags & kVertexProcessing;
    if (adapter != D3DADAPTER_DEFAULT || type != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
    if (processing == 0 || (processing & (processing - 1)) != 0) return D3DERR_INVALIDCALL;
    if (!p.Windowed || p.BackBufferCount > 1 || p.MultiSampleType != D3DMULTISAMPLE_NONE)
        return D3DERR_INVALIDCALL;
    if (p.SwapEffect < D3DSWAPEFFECT_DISCARD || p.SwapEffect > D3DSWAPEFFECT_COPY)
        return D3DERR_INVALIDCALL;
    if (p.BackBufferFormat != D3DFMT_UNKNOWN && p.BackBufferFormat != D3DFMT_X8R8G8B8 &&
        p.BackBufferFormat != D3DFMT_A8R8G8B8)
        return D3DERR_INVALIDCALL;
    int width = 0, height = 0;
    if (!windowClientSize(window, &width, &height)) return D3DERR_INVALIDCALL;
    if (p.BackBufferWidth) width = static_cast<int>(p.BackBufferWidth);
    if (p.BackBufferHeight) height = static_cast<int>(p.BackBufferHeight);
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return D3DERR_INVALIDCALL;
    format->width = width;
    format->height = height;
    format->alpha = p.BackBufferFormat == D3DFMT_A8R8G8B8;
    format->depthBits = p.EnableAutoDepthStencil ? depthBitsOf(p.AutoDepthStencilFormat) : 0;
    return format->depthBits < 0 ? D3DERR_INVALIDCALL : D3D_OK;
}

HRESULT Direct3D::CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focus, DWORD flags,
                               D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (!params) return D3DERR_INVALIDCALL;
    HWND window = params->hDeviceWindow ? params->hDeviceWindow : focus;
    TargetFormat format;
    const HRESULT hr = targetFormatOf(adapter, type, window, flags, *params, &format);
    if (FAILED(hr)) return hr;
    std::unique_ptr<GlTarget> target = createGlTarget(window, format);
    if (!target) return D3DERR_NOTAVAILABLE;
    // Windows reports the chosen values back through the parameters.
    params->BackBufferWidth = static_cast<UINT>(format.width);
    params->BackBufferHeight = static_cast<UINT>(format.height);
    if (params->BackBufferFormat == D3DFMT_UNKNOWN) params->BackBufferFormat = D3DFMT_X8R8G8B8;
    if (params->BackBufferCount == 0) params->BackBufferCount = 1;
    *device = new Device(this, window, std::move(target));
    return D3D_OK;
}

}  // namespace
}  // namespace d3d9
}  // namespace platform

IDirect3D9* WINAPI Direct3DCreate9(UINT SDKVersion) {
    if (SDKVersion != D3D_SDK_VERSION) return nullptr;
    platform::d3d9::startTraceFileFromEnvironment();
    return new platform::d3d9::Direct3D();
}
