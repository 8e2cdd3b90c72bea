// D3DXSaveSurfaceToFileA on Windows, for the one use the programs make of
// it: a render target (the back buffer) of format X8R8G8B8 or A8R8G8B8
// written as a PNG. The target is copied into system memory through the
// device, as a render target cannot be locked. Not done: other file formats,
// other surface formats, palettes and source rectangles (D3DERR_INVALIDCALL).
#include <d3dx9.h>

#include <vector>

#include "image_encode.h"

namespace {

// BGRA rows at the lock's pitch into tightly packed RGB or RGBA rows.
std::vector<unsigned char> packedRows(const D3DLOCKED_RECT& locked, UINT width, UINT height,
                                      bool alpha) {
    const int channels = alpha ? 4 : 3;
    std::vector<unsigned char> out(size_t(width) * height * channels);
    for (UINT y = 0; y < height; ++y) {
        const auto* in = static_cast<const unsigned char*>(locked.pBits) + ptrdiff_t(y) * locked.Pitch;
        unsigned char* row = &out[size_t(y) * width * channels];
        for (UINT x = 0; x < width; ++x, in += 4, row += channels) {
            row[0] = in[2];
            row[1] = in[1];
            row[2] = in[0];
            if (alpha) row[3] = in[3];
        }
    }
    return out;
}

// The surface's pixels through a system-memory copy; false when the device
// refuses any step.
bool readTarget(IDirect3DSurface9* surface, const D3DSURFACE_DESC& desc,
                std::vector<unsigned char>* pixels) {
    IDirect3DDevice9* device = nullptr;
    if (FAILED(surface->GetDevice(&device))) return false;
    IDirect3DSurface9* copy = nullptr;
    bool ok = SUCCEEDED(device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format,
                                                            D3DPOOL_SYSTEMMEM, &copy, nullptr)) &&
              SUCCEEDED(device->GetRenderTargetData(surface, copy));
    D3DLOCKED_RECT locked;
    if (ok && SUCCEEDED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        *pixels = packedRows(locked, desc.Width, desc.Height, desc.Format == D3DFMT_A8R8G8B8);
        copy->UnlockRect();
    } else {
        ok = false;
    }
    if (copy) copy->Release();
    device->Release();
    return ok;
}

}  // namespace

HRESULT WINAPI D3DXSaveSurfaceToFileA(LPCSTR file, D3DXIMAGE_FILEFORMAT format,
                                      LPDIRECT3DSURFACE9 surface, CONST PALETTEENTRY* palette,
                                      CONST RECT* rect) {
    if (!file || !surface || palette || rect || format != D3DXIFF_PNG) return D3DERR_INVALIDCALL;
    D3DSURFACE_DESC desc;
    if (FAILED(surface->GetDesc(&desc))) return D3DERR_INVALIDCALL;
    if (desc.Format != D3DFMT_X8R8G8B8 && desc.Format != D3DFMT_A8R8G8B8)
        return D3DERR_INVALIDCALL;
    std::vector<unsigned char> pixels;
    if (!readTarget(surface, desc, &pixels)) return D3DERR_INVALIDCALL;
    const int channels = desc.Format == D3DFMT_A8R8G8B8 ? 4 : 3;
    return imaging::writePng(file, int(desc.Width), int(desc.Height), channels, pixels.data())
               ? D3D_OK
               : E_FAIL;
}
