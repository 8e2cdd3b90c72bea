// .x files through D3DXLoadMeshFromXA, drawing every subset of what loads:
// any bytes give a mesh or E_FAIL with null results, never a crash.
#include <d3dx9.h>

#include <cstdlib>
#include <cstring>

#include "fuzz_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeFuzzInput(data, size, ".x");
    IDirect3DDevice9* device = fuzzDevice();
    ID3DXMesh* mesh = nullptr;
    ID3DXBuffer* materials = nullptr;
    DWORD count = 0;
    const HRESULT hr = D3DXLoadMeshFromXA(path.c_str(), D3DXMESH_SYSTEMMEM, device, nullptr,
                                          &materials, nullptr, &count, &mesh);
    if (FAILED(hr)) {
        if (mesh || materials || count) std::abort();
        return 0;
    }
    const auto* entries = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
    size_t names = 0;
    for (DWORD i = 0; i < count; ++i)
        if (entries[i].pTextureFilename) names += std::strlen(entries[i].pTextureFilename);
    device->BeginScene();
    for (DWORD i = 0; i < count; ++i) mesh->DrawSubset(i);
    device->EndScene();
    materials->Release();
    // A compressed file's names may be longer than its packed bytes.
    const bool packed = size >= 12 && (std::memcmp(data + 8, "tzip", 4) == 0 ||
                                       std::memcmp(data + 8, "bzip", 4) == 0);
    if (mesh->Release() != 0 || (names > size && !packed)) std::abort();
    return 0;
}
