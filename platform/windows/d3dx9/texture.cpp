// D3DXCreateTextureFromFileA on Windows: the project's own decoders, and a
// managed A8R8G8B8 texture of the image's own size made and filled through
// the device. Not done: the SDK's rounding up to powers of two and its mip
// chain (the programs sample level 0 only, with no mip filter), colour keys,
// and any format but A8R8G8B8.
#include <d3dx9.h>

#include <cstring>

#include "file_bytes.h"
#include "image_decode.h"

namespace {

// Rows of RGBA bytes into the texture's BGRA rows, pitch as the lock gives it.
void copyPixels(const platform::d3d9::DecodedImage& image, const D3DLOCKED_RECT& locked) {
    auto* rows = static_cast<unsigned char*>(locked.pBits);
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* in = image.rgba.data() + static_cast<size_t>(y) * image.width * 4;
        unsigned char* out = rows + static_cast<ptrdiff_t>(y) * locked.Pitch;
        for (int x = 0; x < image.width; ++x, in += 4, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = in[3];
        }
    }
}

}  // namespace

HRESULT WINAPI D3DXCreateTextureFromFileA(IDirect3DDevice9* device, const char* srcfile,
                                          IDirect3DTexture9** texture) {
    using namespace platform::d3d9;
    if (!texture) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    if (!device || !srcfile) return D3DERR_INVALIDCALL;
    const size_t kMaxFile = 256u << 20;
    std::vector<uint8_t> bytes;
    DecodedImage image;
    if (!readWholeFile(srcfile, kMaxFile, &bytes)) return D3DXERR_INVALIDDATA;
    if (decodeImage(bytes.data(), bytes.size(), &image) != nullptr) return D3DXERR_INVALIDDATA;
    IDirect3DTexture9* made = nullptr;
    HRESULT hr = device->CreateTexture(image.width, image.height, 1, 0, D3DFMT_A8R8G8B8,
                                       D3DPOOL_MANAGED, &made, nullptr);
    if (FAILED(hr)) return hr;
    D3DLOCKED_RECT locked;
    hr = made->LockRect(0, &locked, nullptr, 0);
    if (FAILED(hr)) {
        made->Release();
        return hr;
    }
    copyPixels(image, locked);
    made->UnlockRect(0);
    *texture = made;
    return D3D_OK;
}
