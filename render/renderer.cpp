#include "renderer.h"

#include "com_release.h"
#include "scene.h"

Renderer renderer;

namespace {

const D3DCOLOR kClearColour = 0xFF0000FF;

// Everything the device keeps for the whole run: linear filtering, blending by
// texel alpha, texels of alpha 0 dropped, lighting on.
void setFixedState(IDirect3DDevice9* device) {
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ALPHAREF, 1);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetMaterial(&DefaultMaterial);
}

void releaseDirect3D(Renderer* r) {
    releaseCom(r->direct3d);
}

}  // namespace

HRESULT Renderer::initRenderer(HWND window, UINT width, UINT height) {
    // A second device would orphan the resources made on the first.
    if (device || direct3d) return E_FAIL;
    direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!direct3d) return E_FAIL;
    D3DDISPLAYMODE mode;
    if (FAILED(direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode))) {
        releaseDirect3D(this);
        return E_FAIL;
    }
    presentParams = D3DPRESENT_PARAMETERS{};
    presentParams.BackBufferWidth = width;
    presentParams.BackBufferHeight = height;
    presentParams.BackBufferFormat = D3DFMT_UNKNOWN;
    presentParams.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentParams.Windowed = TRUE;
    presentParams.EnableAutoDepthStencil = TRUE;
    presentParams.AutoDepthStencilFormat = D3DFMT_D16;
    if (FAILED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                      D3DCREATE_SOFTWARE_VERTEXPROCESSING, &presentParams,
                                      &device))) {
        device = nullptr;
        releaseDirect3D(this);
        return E_FAIL;
    }
    setFixedState(device);
    return S_OK;
}

HRESULT Renderer::resetForWindowSize() {
    if (!device) return E_FAIL;
    if (scene.lineBuffer) scene.lineBuffer->Release();
    scene.lineBuffer = nullptr;
    scene.currentQuad = nullptr;  // Reset unbinds the stream
    presentParams.BackBufferWidth = 0;
    presentParams.BackBufferHeight = 0;
    const HRESULT hr = device->Reset(&presentParams);
    if (SUCCEEDED(hr)) setFixedState(device);
    return hr;
}

void Renderer::clearFrame() {
    if (!device) return;
    // Two clears rather than one combined: colour first, then depth.
    device->Clear(0, nullptr, D3DCLEAR_TARGET, kClearColour, 1.0f, 0);
    device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, kClearColour, 1.0f, 0);
}

HRESULT Renderer::presentFrame() {
    if (device) device->Present(nullptr, nullptr, nullptr, nullptr);
    return S_OK;
}

void shutdownRenderer() {
    // Unbind first so the device holds none of the resources released below.
    if (renderer.device) {
        renderer.device->SetTexture(0, nullptr);
        renderer.device->SetStreamSource(0, nullptr, 0, 0);
    }
    scene.releaseResources();
    releaseCom(renderer.device);
    releaseDirect3D(&renderer);
    renderer.presentParams = D3DPRESENT_PARAMETERS{};
}
