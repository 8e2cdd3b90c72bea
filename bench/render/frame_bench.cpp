// What one Preview frame costs: the editor's device and fixed state on an
// offscreen window of the Preview's client size, the real passes over a track
// whose every cell is in use. Grids of 256, 1024 and 4096 cells a side show
// whether the frame grows with the track or only with what is in view; the
// object cases carry 1,048,576 billboards, borders and mesh placements spread
// over the whole grid. Each case is drawn from the start camera and from a
// camera in the middle of the track, and the grids also from the top view,
// which sees the whole track.
//
// Besides Google Benchmark's mean, each case reports `median_ms`, the median
// of its frames, and `first_ms`, one frame drawn before the timed ones: the
// first frame of a track may build what later ones reuse.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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
constexpr DWORD kManyObjects = 1048576;

enum CameraPlace { StartCamera, MiddleCamera, TopView };

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

// A well-mixed coordinate inside [0, limit): neighbouring records land far
// apart, as on a track edited over time.
DWORD spread(DWORD k, DWORD salt, DWORD limit) {
    unsigned long long h = (k + 1ull) * 0x9E3779B97F4A7C15ull ^ (salt * 0xC2B2AE3D27D4EB4Full);
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return DWORD(h % limit);
}

void fillObjects(TrackDocument& track, DWORD side, DWORD objects) {
    const DWORD extent = side * 100;
    for (DWORD k = 0; k < objects; ++k) {
        track.setBillboardMap(k, 0);
        track.setBillboardPosX(k, spread(k, 1, extent));
        track.setBillboardPosZ(k, spread(k, 2, extent));
        track.setBillboardFace(k, k % 2);
        track.setBillboardAngle(k, spread(k, 3, 360));
        DWORD x = spread(k, 4, extent), z = spread(k, 5, extent);
        track.setBorderX1(k, x);
        track.setBorderZ1(k, z);
        track.setBorderX2(k, x + 200 < extent ? x + 200 : x);
        track.setBorderZ2(k, z);
        track.setBorderTop(k, 50);
        track.setMeshFile(k, "bench.x");
        track.setMeshPosX(k, spread(k, 6, extent));
        track.setMeshPosZ(k, spread(k, 7, extent));
    }
}

std::unique_ptr<TrackDocument> buildTrack(DWORD side, DWORD objects) {
    auto track = std::make_unique<TrackDocument>();
    track->createTrack(side, side, 1, objects, objects, objects);
    for (DWORD j = 0; j < side; ++j)
        for (DWORD i = 0; i < side; ++i) {
            track->setFieldMap(i, j, 0);
            track->setFieldShape(i, j, (i + j) % 5);
            track->setFieldOrientation(i, j, i % 4);
        }
    fillObjects(*track, side, objects);
    return track;
}

// Google Benchmark calls a case again for each iteration count it tries; the
// big tracks are built once and kept, one at a time, for the following calls.
TrackDocument& cachedTrack(DWORD side, DWORD objects) {
    static std::pair<DWORD, DWORD> key;
    static std::unique_ptr<TrackDocument> track;
    if (!track || key != std::make_pair(side, objects)) {
        track.reset();
        track = buildTrack(side, objects);
        key = {side, objects};
    }
    return *track;
}

Camera cameraFor(CameraPlace place, DWORD side) {
    if (place == StartCamera) return {3.14f, 1500.0f, 200.0f, 500.0f, 10.0f};
    float middle = float(side) * 50.0f;
    return {3.14f, middle, 200.0f, middle, 10.0f};
}

double medianOf(std::vector<double> samples) {
    if (samples.empty()) return 0.0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void frame(benchmark::State& state) {
    const DWORD side = DWORD(state.range(0));
    const DWORD objects = DWORD(state.range(1));
    TrackDocument& track = cachedTrack(side, objects);
    HWND window = createBenchWindow(kClientWidth, kClientHeight);
    if (!startDevice(window)) {
        state.SkipWithError("no device");
        return;
    }
    selectedFieldI = selectedFieldJ = 1;
    const Camera camera = cameraFor(CameraPlace(state.range(2)), side);
    auto drawFrame = [&] {
        auto start = std::chrono::steady_clock::now();
        renderer.clearFrame();
        if (state.range(2) == TopView)
            drawTopViewScene(track, kClientWidth, kClientHeight, true);
        else
            drawTrackScene(track, camera, true);
        renderer.presentFrame();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    // The first frame after a track is made may also build what later frames
    // reuse; it is reported on its own.
    state.counters["first_ms"] = drawFrame();
    std::vector<double> frameMs;
    for (auto _ : state) frameMs.push_back(drawFrame());
    state.counters["median_ms"] = medianOf(frameMs);
    state.counters["cells"] = double(side) * side;
    shutdownRenderer();
    destroyBenchWindow(window);
}

}  // namespace

BENCHMARK(frame)
    ->ArgNames({"side", "objects", "camera"})
    ->ArgsProduct({{256, 1024, 4096}, {0}, {StartCamera, MiddleCamera, TopView}})
    ->ArgsProduct({{4096}, {kManyObjects}, {StartCamera, MiddleCamera}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The top view of a million objects of each kind: every one is in view, so
// this case is slow; a few frames are enough to see how slow.
BENCHMARK(frame)
    ->Name("frame_top_many")
    ->ArgNames({"side", "objects", "camera"})
    ->Args({4096, kManyObjects, TopView})
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
