// What drawing every subset of a loaded .x mesh costs as its material count
// grows: one small triangle per material, each subset drawn with DrawSubset
// as the mesh pass does. The per_subset rate should stay level from 1 to
// 10,000 materials (the time of 10,000 about 10,000 times that of one); a
// lookup that scans the subsets makes it fall linearly.
#include <benchmark/benchmark.h>
#include <d3d9.h>
#include <d3dx9.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/window_surface.h"

namespace {

// A text .x file of `materials` triangles, triangle m using material m.
std::string manyMaterialMesh(int materials) {
    std::string x = "xof 0302txt 0032\nMesh M {\n" + std::to_string(3 * materials) + ";\n";
    for (int m = 0; m < materials; ++m) {
        const float z = float(m % 100), y = float(m / 100);
        char corners[160];
        std::snprintf(corners, sizeof corners, "0;%g;%g;,0;%g;%g;,1;%g;%g;%s\n", y, z, y + 1, z, y,
                      z, m + 1 == materials ? ";" : ",");
        x += corners;
    }
    x += std::to_string(materials) + ";\n";
    for (int m = 0; m < materials; ++m)
        x += "3;" + std::to_string(3 * m) + "," + std::to_string(3 * m + 1) + "," +
             std::to_string(3 * m + 2) + (m + 1 == materials ? ";;\n" : ";,\n");
    x += "MeshMaterialList {\n" + std::to_string(materials) + ";\n" + std::to_string(materials) +
         ";\n";
    for (int m = 0; m < materials; ++m)
        x += std::to_string(m) + (m + 1 == materials ? ";;\n" : ",\n");
    for (int m = 0; m < materials; ++m)
        x += "Material {1.0;1.0;1.0;1.0;; 8.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n";
    return x + "}\n}\n";
}

class MeshBench {
public:
    explicit MeshBench(int materials) {
        window_ = platform::createBareWindow(320, 240);
        d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
        D3DPRESENT_PARAMETERS p = {};
        p.Windowed = TRUE;
        p.SwapEffect = D3DSWAPEFFECT_DISCARD;
        p.EnableAutoDepthStencil = TRUE;
        p.AutoDepthStencilFormat = D3DFMT_D16;
        d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_,
                           D3DCREATE_SOFTWARE_VERTEXPROCESSING, &p, &device_);
        char path[] = "/tmp/mesh-bench-XXXXXX.x";
        int fd = mkstemps(path, 2);
        const std::string text = manyMaterialMesh(materials);
        if (fd >= 0 && write(fd, text.data(), text.size()) == ssize_t(text.size()) && device_)
            D3DXLoadMeshFromXA(path, D3DXMESH_SYSTEMMEM, device_, nullptr, nullptr, nullptr,
                               &count_, &mesh_);
        if (fd >= 0) close(fd);
        unlink(path);
    }
    ~MeshBench() {
        if (mesh_) mesh_->Release();
        if (device_) device_->Release();
        d3d_->Release();
        platform::destroyBareWindow(window_);
    }
    bool ready() const { return mesh_ != nullptr; }
    DWORD subsets() const { return count_; }
    void clear() {
        device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FF, 1, 0);
    }
    void drawSubsets() {
        device_->BeginScene();
        for (DWORD m = 0; m < count_; ++m) mesh_->DrawSubset(m);
        device_->EndScene();
    }
    void present() { device_->Present(nullptr, nullptr, nullptr, nullptr); }

private:
    HWND window_ = nullptr;
    IDirect3D9* d3d_ = nullptr;
    IDirect3DDevice9* device_ = nullptr;
    ID3DXMesh* mesh_ = nullptr;
    DWORD count_ = 0;
};

void BM_DrawEverySubset(benchmark::State& state) {
    MeshBench bench(int(state.range(0)));
    if (!bench.ready()) {
        state.SkipWithError("the mesh did not load");
        return;
    }
    // Only the draws are timed: clearing and presenting cost the same for
    // one subset as for ten thousand and would hide the per-subset cost.
    for (auto _ : state) {
        state.PauseTiming();
        bench.present();
        bench.clear();
        state.ResumeTiming();
        bench.drawSubsets();
    }
    state.counters["per_subset"] = benchmark::Counter(
        double(bench.subsets()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DrawEverySubset)
    ->Arg(1)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
