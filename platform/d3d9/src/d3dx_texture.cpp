// D3DXCreateTextureFromFileA: the file is read whole, decoded to RGBA and
// made a texture of the image's own size (brought down to the device's
// largest side when it is bigger), alpha kept: A8R8G8B8 when the file has
// alpha, X8R8G8B8 when not.
#include <d3dx9.h>

#include "device.h"
#include "file_bytes.h"
#include "image_decode.h"
#include "texture_fit.h"
#include "trace.h"

HRESULT WINAPI D3DXCreateTextureFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                          LPDIRECT3DTEXTURE9* ppTexture) {
    using namespace platform::d3d9;
    if (!ppTexture) return D3DERR_INVALIDCALL;
    *ppTexture = nullptr;
    if (!pDevice || !pSrcFile) return D3DERR_INVALIDCALL;
    const size_t kMaxFile = 256u << 20;
    std::vector<uint8_t> bytes;
    imaging::DecodedImage image;
    if (!readWholeFile(pSrcFile, kMaxFile, &bytes)) return E_FAIL;
    if (imaging::decodeImage(bytes.data(), bytes.size(), &image) != nullptr) return E_FAIL;
    bytes = std::vector<uint8_t>();
    fitTextureSize(Texture::kMaxSide, &image.width, &image.height, &image.rgba);
    Device* device = static_cast<Device*>(pDevice);
    if (!device->makeCurrent()) return E_FAIL;
    const D3DFORMAT format = image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    Texture* texture =
        new Texture(device, image.width, image.height, format, std::move(image.rgba));
    if (tracing())
        traceLine(std::string("D3DXCreateTextureFromFileA(\"") + pSrcFile + "\") = tex#" +
                  std::to_string(texture->id()));
    *ppTexture = texture;
    return D3D_OK;
}
