// IDirect3DDevice9::Reset for a windowed device: new back and depth buffers
// of the size the parameters ask for (the window's client size when they
// give none), and every device state back to its default, as Windows does.
// Refused, as on Windows, inside a scene and while the application holds
// D3DPOOL_DEFAULT resources; managed resources survive.
#include "device.h"

#include "platform/refusal.h"
#include "trace.h"

namespace platform {
namespace d3d9 {

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* params) {
    TargetFormat format;
    HRESULT hr = D3DERR_INVALIDCALL;
    if (params && !inScene_ && defaultPoolBuffers_ == 0) {
        hr = presentationFormatOf(params->hDeviceWindow ? params->hDeviceWindow : window_, *params,
                                  &format);
        // Full screen, multisampling and the like: the layer has no such buffers.
        if (FAILED(hr))
            reportRefusal("d3d9", "Reset with these presentation parameters",
                          "Reset(windowed " + std::to_string(params->Windowed) + ", " +
                              std::to_string(params->BackBufferWidth) + " x " +
                              std::to_string(params->BackBufferHeight) + ")");
    }
    if (SUCCEEDED(hr)) {
        batch_.clear();
        onPublicReleased();  // unbinds the texture and the stream
        pixel_ = PixelState();
        pixelStateSet_ = true;
        fvf_ = 0;
        layout_ = VertexLayout();
        streamOffset_ = streamStride_ = 0;
        pipeline_ = VertexPipeline();
        glState_ = PixelState();
        glTextured_ = false;
        glStateKnown_ = false;
        hr = target_->resize(format) ? D3D_OK : D3DERR_DEVICELOST;
        pipeline_.setTargetSize(format.width, format.height);
        initGlDefaults();
    }
    if (SUCCEEDED(hr)) {
        params->BackBufferWidth = static_cast<UINT>(format.width);
        params->BackBufferHeight = static_cast<UINT>(format.height);
        if (params->BackBufferFormat == D3DFMT_UNKNOWN) params->BackBufferFormat = D3DFMT_X8R8G8B8;
        if (params->BackBufferCount == 0) params->BackBufferCount = 1;
    }
    traceCall("Reset(" + std::to_string(format.width) + " x " + std::to_string(format.height) + ")",
              hr);
    return hr;
}

}  // namespace d3d9
}  // namespace platform
