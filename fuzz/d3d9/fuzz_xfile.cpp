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
    // Every texture name lies inside the material buffer and is no longer
    // than the file it came from (a compressed file's names may be longer than
    // its packed bytes). Their sum is no bound: many materials may name one
    // texture.
    const bool packed = size >= 12 && (std::memcmp(data + 8, "tzip", 4) == 0 ||
                                       std::memcmp(data + 8, "bzip", 4) == 0);
    const auto* entries = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
    const char* bufferStart = static_cast<const char*>(materials->GetBufferPointer());
    const char* bufferEnd = bufferStart + materials->GetBufferSize();
    for (DWORD i = 0; i < count; ++i) {
        const char* name = entries[i].pTextureFilename;
        if (!name) continue;
        if (name < bufferStart || name >= bufferEnd) std::abort();
        const void* end = std::memchr(name, '\0', size_t(bufferEnd - name));
        if (!end || (!packed && size_t(static_cast<const char*>(end) - name) > size))
            std::abort();
    }
    device->BeginScene();
    for (DWORD i = 0; i < count; ++i) mesh->DrawSubset(i);
    device->EndScene();
    materials->Release();
    if (mesh->Release() != 0) std::abort();
    return 0;
}
