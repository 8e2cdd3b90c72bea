// saveTrack and loadTrack of a 1000 x 1000 track with 1000 records in each
// other array (about 20.3 MB on disk).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "track_document.h"

namespace {

std::string benchPath() {
    return (std::filesystem::temp_directory_path() / "kelvane_bench_track.trk").string();
}

void buildLargeTrack(TrackDocument& doc) {
    doc.createTrack(1000, 1000, 1000, 1000, 1000, 1000);
    for (DWORD j = 0; j < 1000; j += 7) doc.setFieldMap(j, j, j % 256);
    for (DWORD k = 0; k < 1000; k += 3) {
        doc.setMapFile(k, "texture.bmp");
        doc.setBillboardMap(k, k % 256);
        doc.setBorderX1(k, k);
        doc.setMeshFile(k, "mesh.x");
    }
}

void BM_SaveTrack(benchmark::State& state) {
    TrackDocument doc;
    buildLargeTrack(doc);
    const std::string path = benchPath();
    for (auto _ : state)
        if (!doc.saveTrack(path.c_str())) state.SkipWithError(doc.lastErrorText());
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(std::filesystem::file_size(path)));
    std::remove(path.c_str());
}

void BM_LoadTrack(benchmark::State& state) {
    TrackDocument source;
    buildLargeTrack(source);
    const std::string path = benchPath();
    if (!source.saveTrack(path.c_str())) state.SkipWithError(source.lastErrorText());
    TrackDocument doc;
    for (auto _ : state)
        if (!doc.loadTrack(path.c_str())) state.SkipWithError(doc.lastErrorText());
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(std::filesystem::file_size(path)));
    std::remove(path.c_str());
}

}  // namespace

BENCHMARK(BM_SaveTrack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadTrack)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
