#include "fuzz_device.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/window_surface.h"

IDirect3DDevice9* fuzzDevice() {
    static IDirect3DDevice9* device = [] {
        IDirect3DDevice9* created = nullptr;
        IDirect3D9* d3d = Direct3DCreate9(D3D_SDK_VERSION);
        if (!d3d) std::abort();
        D3DPRESENT_PARAMETERS params = {};
        params.SwapEffect = D3DSWAPEFFECT_DISCARD;
        params.Windowed = TRUE;
        params.EnableAutoDepthStencil = TRUE;
        params.AutoDepthStencilFormat = D3DFMT_D16;
        if (FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL,
                                     platform::createBareWindow(32, 32),
                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &params, &created)))
            std::abort();
        d3d->Release();
        return created;
    }();
    return device;
}

std::string writeFuzzInput(const uint8_t* data, size_t size, const char* extension) {
    const char* dir = std::getenv("TMPDIR");
    const std::string path =
        std::string(dir ? dir : "/tmp") + "/kelvane-fuzz-" + std::to_string(getpid()) + extension;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    return path;
}
