// What one Preview frame costs: the editor's device and fixed state on an
// offscreen window of the Preview's client size, the real passes over a track
// whose every cell is in use, from the start camera. The grid sizes show how
// the frame grows with the cells; the last case adds the objects a busy track
// carries.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "frame.h"
#include "bench_window.h"
#include "renderer.h"
#include "scene.h"
#include "selection.h"
#include "track_document.h"
#include "transforms.h"

namespace {

// The Preview's client area inside its 640 x 480 outer rectangle.
constexpr int kClientWidth = 632;
constexpr int kClientHeight = 446;

// A 2 x 2 opaque grey texture for map 0, written once to a temporary file.
std::string writeMapImage() {
    // TEMP is where Windows keeps temporary files; TMPDIR is the Unix name.
    const char* folder = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : std::getenv("TEMP");
    std::string path = std::string(folder ? folder : "/tmp") + "/kelvane-bench-map.tga";
    unsigned char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 32, 0x28};
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return path;
    std::fwrite(header, 1, sizeof header, file);
    for (int i = 0; i < 4; ++i) {
        const unsigned char bgra[4] = {90, 160, 90, 255};
        std::fwrite(bgra, 1, 4, file);
    }
    std::fclose(file);
    return path;
}

// The editor's start-up on a bare window, with map 0 loaded.
bool startDevice(HWND window) {
    if (renderer.initRenderer(window) != S_OK) return false;
    renderer.device->SetRenderState(D3DRS_AMBIENT, 0xFF9B9B9B);
    scene.setProjection();
    scene.setWorld(identityMatrix());
    scene.setupLight();
    scene.buildQuads();
    scene.loadMapTexture(0, writeMapImage().c_str());
    return true;
}

void fillTrack(TrackDocument& track, DWORD side, DWORD objects) {
    track.createTrack(side, side, 1, objects, objects, 0);
    for (DWORD j = 0; j < side; ++j)
        for (DWORD i = 0; i < side; ++i) {
            track.setFieldMap(i, j, 0);
            track.setFieldShape(i, j, (i + j) % 5);
            track.setFieldOrientation(i, j, i % 4);
        }
    for (DWORD k = 0; k < objects; ++k) {
        track.setBillboardMap(k, 0);
        track.setBillboardPosX(k, (k * 37) % (side * 100));
        track.setBillboardPosZ(k, (k * 53) % (side * 100));
        track.setBillboardFace(k, k % 2);
        track.setBorderX1(k, (k * 41) % (side * 100));
        track.setBorderZ1(k, (k * 29) % (side * 100));
        track.setBorderX2(k, (k * 41 + 200) % (side * 100));
        track.setBorderZ2(k, (k * 29) % (side * 100));
        track.setBorderTop(k, 50);
    }
}

void frame(benchmark::State& state) {
    HWND window = createBenchWindow(kClientWidth, kClientHeight);
    if (!startDevice(window)) {
        state.SkipWithError("no device");
        return;
    }
    TrackDocument track;
    fillTrack(track, DWORD(state.range(0)), DWORD(state.range(1)));
    selectedFieldI = selectedFieldJ = 1;
    Camera start = {3.14f, 1500.0f, 200.0f, 500.0f, 10.0f};
    for (auto _ : state) {
        renderer.clearFrame();
        drawTrackScene(track, start, true);
        renderer.presentFrame();
    }
    state.counters["cells"] = double(state.range(0) * state.range(0));
    track.destroyTrack();
    shutdownRenderer();
    destroyBenchWindow(window);
}

}  // namespace

BENCHMARK(frame)
    ->ArgNames({"side", "objects"})
    ->Args({10, 0})
    ->Args({100, 0})
    ->Args({256, 0})
    ->Args({256, 1000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
