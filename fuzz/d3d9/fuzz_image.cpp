// Image files through D3DXCreateTextureFromFileA: any bytes give a texture
// or E_FAIL with a null result, never a crash.
#include <d3dx9.h>

#include <cstdlib>

#include "fuzz_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeFuzzInput(data, size, ".img");
    IDirect3DTexture9* texture = nullptr;
    const HRESULT hr = D3DXCreateTextureFromFileA(fuzzDevice(), path.c_str(), &texture);
    if (SUCCEEDED(hr) != (texture != nullptr)) std::abort();
    if (texture && texture->Release() != 0) std::abort();
    return 0;
}
