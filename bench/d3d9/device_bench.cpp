// What a frame of field cells costs the Direct3D layer: one world matrix and
// one two-triangle fan per cell, as the field pass draws them, on the
// offscreen device at the Preview's size. From the Preview's start camera
// most of a large grid lies outside the view; the second case shrinks the
// cells under a camera looking straight down so that every one is lit and
// drawn.
#include <benchmark/benchmark.h>
#include <d3d9.h>
#include <d3dx9.h>

#include <cstring>

#include "platform/window_surface.h"

namespace {

struct Vertex {
    float x, y, z, nx, ny, nz;
    D3DCOLOR colour;
    float u, v;
};
const DWORD kFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;

class Bench {
public:
    Bench() {
        window_ = platform::createBareWindow(632, 446);
        d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
        D3DPRESENT_PARAMETERS p = {};
        p.Windowed = TRUE;
        p.SwapEffect = D3DSWAPEFFECT_DISCARD;
        p.EnableAutoDepthStencil = TRUE;
        p.AutoDepthStencilFormat = D3DFMT_D16;
        d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_,
                           D3DCREATE_SOFTWARE_VERTEXPROCESSING, &p, &device_);
        const Vertex quad[4] = {{5, 0, -5, 0, 1, 0, 0xFFFFFFFF, 1, 1},
                                {-5, 0, -5, 0, 1, 0, 0xFFFFFFFF, 0, 1},
                                {-5, 0, 5, 0, 1, 0, 0xFFFFFFFF, 0, 0},
                                {5, 0, 5, 0, 1, 0, 0xFFFFFFFF, 1, 0}};
        device_->CreateVertexBuffer(sizeof quad, 0, kFvf, D3DPOOL_MANAGED, &quad_, nullptr);
        void* data = nullptr;
        quad_->Lock(0, sizeof quad, &data, 0);
        std::memcpy(data, quad, sizeof quad);
        quad_->Unlock();
        D3DXMATRIX view, projection;
        D3DXVECTOR3 eye(1500, 200, 500), at(500, 0, 501), up(0, 1, 0);
        D3DXMatrixLookAtLH(&view, &eye, &at, &up);
        D3DXMatrixPerspectiveFovLH(&projection, 0.7853982f, 1.33f, 1, 3000);
        device_->SetTransform(D3DTS_VIEW, &view);
        device_->SetTransform(D3DTS_PROJECTION, &projection);
        device_->SetRenderState(D3DRS_AMBIENT, 0xFF9B9B9B);
        D3DLIGHT9 light = {};
        light.Type = D3DLIGHT_POINT;
        light.Diffuse = {0.5f, 0.5f, 0.5f, 0};
        light.Position = {0, 500, 0};
        light.Range = 10000;
        light.Attenuation0 = 1;
        device_->SetLight(0, &light);
        device_->LightEnable(0, TRUE);
        device_->SetStreamSource(0, quad_, 0, sizeof(Vertex));
        device_->SetFVF(kFvf);
    }
    ~Bench() {
        device_->SetStreamSource(0, nullptr, 0, 0);
        quad_->Release();
        device_->Release();
        d3d_->Release();
        platform::destroyBareWindow(window_);
    }
    // Straight down from 1500 above the middle of a 1000 x 1000 square.
    void lookDown() {
        D3DXMATRIX view;
        D3DXVECTOR3 eye(500, 1500, 500), at(500, 0, 500), up(0, 0, 1);
        D3DXMatrixLookAtLH(&view, &eye, &at, &up);
        device_->SetTransform(D3DTS_VIEW, &view);
    }
    // side x side cells of `cell` units, each quad scaled to fill its cell.
    void frame(int side, float cell = 100) {
        device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FF, 1, 0);
        device_->BeginScene();
        D3DXMATRIX scale, move, world;
        D3DXMatrixScaling(&scale, cell / 10, 1, cell / 10);
        for (int j = 0; j < side; ++j)
            for (int i = 0; i < side; ++i) {
                D3DXMatrixTranslation(&move, cell * i + cell / 2, 0, cell * j + cell / 2);
                D3DXMatrixMultiply(&world, &scale, &move);
                device_->SetTransform(D3DTS_WORLD, &world);
                device_->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
            }
        device_->EndScene();
        device_->Present(nullptr, nullptr, nullptr, nullptr);
    }

private:
    HWND window_;
    IDirect3D9* d3d_ = nullptr;
    IDirect3DDevice9* device_ = nullptr;
    IDirect3DVertexBuffer9* quad_ = nullptr;
};

void BM_FieldFrame(benchmark::State& state) {
    Bench bench;
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state) bench.frame(side);
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_FieldFrame)->Arg(16)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);

void BM_VisibleCells(benchmark::State& state) {
    Bench bench;
    bench.lookDown();
    const int side = static_cast<int>(state.range(0));
    for (auto _ : state) bench.frame(side, 1000.0f / side);
    state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_VisibleCells)->Arg(64)->Arg(128)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
