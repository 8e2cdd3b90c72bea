// D3DXCreateTextureFromFileA: the file is read whole, decoded to RGBA and
// made a texture of the image's own size, alpha kept.
#include <d3dx9.h>

#include "device.h"
#include "file_bytes.h"
#include "image_decode.h"
#include "trace.h"

HRESULT WINAPI D3DXCreateTextureFromFileA(LPDIRECT3DDEVICE9 pDevice, LPCSTR pSrcFile,
                                          LPDIRECT3DTEXTURE9* ppTexture) {
    using namespace platform::d3d9;
    if (!ppTexture) return D3DERR_INVALIDCALL;
    *ppTexture = nullptr;
    if (!pDevice || !pSrcFile) return D3DERR_INVALIDCALL;
    const size_t kMaxFile = 256u << 20;
    std::vector<uint8_t> bytes;
    DecodedImage image;
    if (!readWholeFile(pSrcFile, kMaxFile, &bytes)) return E_FAIL;
    if (decodeImage(bytes.data(), bytes.size(), &image) != nullptr) return E_FAIL;
    Device* device = static_cast<Device*>(pDevice);
    if (!device->makeCurrent()) return E_FAIL;
    Texture* texture = new Texture(device, image.width, image.height, std::move(image.rgba));
    if (tracing())
        traceLine(std::string("D3DXCreateTextureFromFileA(\"") + pSrcFile + "\") = tex#" +
                  std::to_string(texture->id()));
    *ppTexture = texture;
    return D3D_OK;
}
