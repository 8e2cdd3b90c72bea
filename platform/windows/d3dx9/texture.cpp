// D3DXCreateTextureFromFileA on Windows: the project's imaging library, and a
// managed texture of the image's own size (brought down to the device's
// largest side when it is bigger) with its whole mip chain, made and filled
// through the device: A8R8G8B8 when the file has alpha, X8R8G8B8 when not,
// as the stand-in makes it. Not done: the SDK's rounding up to powers of two
// (every device Kelvane runs on takes other sizes) and colour keys.
#include <d3dx9.h>

#include <algorithm>
#include <cstring>

#include "file_bytes.h"
#include "image_decode.h"
#include "mip_chain.h"
#include "texture_fit.h"

namespace {

// Rows of RGBA bytes into the texture's BGRA rows, pitch as the lock gives it.
void copyPixels(const imaging::DecodedImage& image, const D3DLOCKED_RECT& locked) {
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

// Every level of texture filled from image and the levels halved from it.
HRESULT fillLevels(IDirect3DTexture9* texture, imaging::DecodedImage image) {
    const DWORD levels = texture->GetLevelCount();
    for (DWORD level = 0; level < levels; ++level) {
        if (level > 0) image = platform::d3dx9::halveImage(image);
        D3DLOCKED_RECT locked;
        const HRESULT hr = texture->LockRect(level, &locked, nullptr, 0);
        if (FAILED(hr)) return hr;
        copyPixels(image, locked);
        texture->UnlockRect(level);
    }
    return D3D_OK;
}

// The largest side the device takes, as D3DX clamps a texture to it.
int largestSide(IDirect3DDevice9* device) {
    D3DCAPS9 caps;
    if (FAILED(device->GetDeviceCaps(&caps))) return 2048;
    return static_cast<int>(std::min(caps.MaxTextureWidth, caps.MaxTextureHeight));
}

}  // namespace

HRESULT WINAPI D3DXCreateTextureFromFileA(IDirect3DDevice9* device, const char* srcfile,
                                          IDirect3DTexture9** texture) {
    if (!texture) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    if (!device || !srcfile) return D3DERR_INVALIDCALL;
    const size_t kMaxFile = 256u << 20;
    std::vector<uint8_t> bytes;
    imaging::DecodedImage image;
    if (!platform::d3d9::readWholeFile(srcfile, kMaxFile, &bytes)) return D3DXERR_INVALIDDATA;
    if (imaging::decodeImage(bytes.data(), bytes.size(), &image) != nullptr)
        return D3DXERR_INVALIDDATA;
    bytes = std::vector<uint8_t>();
    platform::d3d9::fitTextureSize(largestSide(device), &image.width, &image.height, &image.rgba);
    const D3DFORMAT format = image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    IDirect3DTexture9* made = nullptr;
    HRESULT hr = device->CreateTexture(image.width, image.height, 0, 0, format, D3DPOOL_MANAGED,
                                       &made, nullptr);
    if (FAILED(hr)) return hr;
    hr = fillLevels(made, std::move(image));
    if (FAILED(hr)) {
        made->Release();
        return hr;
    }
    *texture = made;
    return D3D_OK;
}
