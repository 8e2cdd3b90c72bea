// What pointing in the Preview costs: one pick (the ray through a pixel and
// the nearest cell on it) on a 4096 x 4096 track from several views, which
// must stay far below a frame (goal: under 0.1 ms, so no walk over all
// cells); and a 500-cell paint stroke (a pick and Set's three writes per
// cell), to set against bench_frame's time for a frame of the same track.
#include <benchmark/benchmark.h>

#include "frame.h"
#include "pick.h"
#include "track_document.h"

namespace {

constexpr int kWidth = 634;
constexpr int kHeight = 451;

// A track of every shape and turn, built once per size.
TrackDocument& trackOfSide(DWORD side) {
    static TrackDocument* built[2] = {nullptr, nullptr};
    TrackDocument*& track = built[side == 4096 ? 1 : 0];
    if (!track) {
        track = new TrackDocument;
        track->createTrack(side, side, 4, 0, 0, 0);
        for (DWORD j = 0; j < side; ++j)
            for (DWORD i = 0; i < side; ++i) {
                track->setFieldMap(i, j, (i + j) % 4);
                track->setFieldShape(i, j, (i * 7 + j) % 5);
                track->setFieldOrientation(i, j, (i + 3 * j) % 4);
            }
    }
    return *track;
}

struct View {
    const char* name;
    Camera camera;
    bool topView;
};

const View kViews[] = {
    {"start camera", {3.14f, 1500.0f, 200.0f, 500.0f, 10.0f}, false},
    {"mid-track, low, towards the far corner", {0.785f, 204800.0f, 60.0f, 204800.0f, 10.0f}, false},
    {"mid-track, high", {1.57f, 204800.0f, 1500.0f, 204800.0f, 10.0f}, false},
    {"top view", {3.14f, 1500.0f, 200.0f, 500.0f, 10.0f}, true},
};

// One pick at a pixel on the lower half, where the ground is.
void BM_PickOneCell(benchmark::State& state) {
    const TrackDocument& track = trackOfSide(4096);
    const View& view = kViews[state.range(0)];
    FrameView seen = frameView(track, view.camera, view.topView, kWidth, kHeight);
    int x = 0;
    for (auto _ : state) {
        PickRay ray;
        PickResult hit;
        rayThroughPixel(seen.view, seen.projection, kWidth, kHeight, x, kHeight * 3 / 4, &ray);
        benchmark::DoNotOptimize(pickCell(track, ray, &hit));
        x = (x + 7) % kWidth;
    }
    state.SetLabel(view.name);
}
BENCHMARK(BM_PickOneCell)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// A stroke across 500 cells of a 256 x 256 track seen from above: for each
// cell the pick under the cursor and the three writes Set makes.
void BM_PaintStroke500Cells(benchmark::State& state) {
    TrackDocument& track = trackOfSide(256);
    Camera unused = kViews[0].camera;
    FrameView seen = frameView(track, unused, true, kWidth, kHeight);
    for (auto _ : state) {
        for (int k = 0; k < 500; ++k) {
            PickRay ray;
            PickResult hit;
            int x = 80 + k * (kWidth - 160) / 500, y = 60 + k * (kHeight - 120) / 500;
            rayThroughPixel(seen.view, seen.projection, kWidth, kHeight, x, y, &ray);
            if (!pickCell(track, ray, &hit)) continue;
            track.setFieldMap(hit.i, hit.j, 1);
            track.setFieldShape(hit.i, hit.j, 2);
            track.setFieldOrientation(hit.i, hit.j, 3);
        }
    }
}
BENCHMARK(BM_PaintStroke500Cells)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
