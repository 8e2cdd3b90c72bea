#include "surface.h"

#include <d3dx9.h>

#include <string>
#include <vector>

#include "device.h"
#include "image_encode.h"
#include "platform/refusal.h"

namespace platform {
namespace d3d9 {

// The surface keeps its device alive, as Direct3D's surfaces do.
BackBufferSurface::BackBufferSurface(Device* device) : device_(device) {
    device_->hold();
}

BackBufferSurface::~BackBufferSurface() {
    device_->unhold();
}

bool BackBufferSurface::read(Frame* frame, bool* hasAlpha) {
    return device_->readBackBuffer(frame, hasAlpha);
}

HRESULT Device::GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE type,
                              IDirect3DSurface9** surface) {
    if (!surface) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (swapChain != 0 || index != 0 || type != D3DBACKBUFFER_TYPE_MONO) {
        reportRefusal("d3d9", "GetBackBuffer of another swap chain or buffer",
                      "GetBackBuffer(" + std::to_string(swapChain) + ", " +
                          std::to_string(index) + ", " + std::to_string(int(type)) + ")");
        return D3DERR_INVALIDCALL;
    }
    *surface = new BackBufferSurface(this);
    return D3D_OK;
}

bool Device::readBackBuffer(Frame* frame, bool* hasAlpha) {
    flushBatch();
    *hasAlpha = target_->format().alpha;
    return target_->readBack(frame);
}

}  // namespace d3d9
}  // namespace platform

// X8R8G8B8 has no alpha to keep: such a back buffer is written as RGB.
HRESULT WINAPI D3DXSaveSurfaceToFileA(LPCSTR file, D3DXIMAGE_FILEFORMAT format,
                                      LPDIRECT3DSURFACE9 surface,
                                      CONST struct tagPALETTEENTRY* palette, CONST RECT* rect) {
    using platform::d3d9::BackBufferSurface;
    if (!file || !surface) return D3DERR_INVALIDCALL;
    if (palette || rect || format != D3DXIFF_PNG) {
        platform::reportRefusal("d3dx9", "D3DXSaveSurfaceToFileA but to a whole PNG",
                                "D3DXSaveSurfaceToFileA(format " + std::to_string(int(format)) +
                                    (palette ? ", palette" : "") + (rect ? ", rect" : "") + ")");
        return D3DERR_INVALIDCALL;
    }
    auto* back = static_cast<BackBufferSurface*>(surface);
    platform::Frame frame;
    bool hasAlpha = false;
    if (!back->read(&frame, &hasAlpha)) return D3DERR_INVALIDCALL;
    int channels = hasAlpha ? 4 : 3;
    std::vector<unsigned char> pixels;
    pixels.reserve(size_t(frame.width) * frame.height * channels);
    for (size_t p = 0; p + 3 < frame.rgba.size(); p += 4)
        pixels.insert(pixels.end(), &frame.rgba[p], &frame.rgba[p] + channels);
    if (!imaging::writePng(file, frame.width, frame.height, channels, pixels.data()))
        return E_FAIL;
    return D3D_OK;
}
