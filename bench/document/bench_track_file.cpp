// saveTrack and loadTrack of a 1000 x 1000 track with 1000 records in each
// other array (about 20.3 MB on disk); loading the largest track the editor
// accepts (16,777,216 cells, 335 MB) against plainly reading its bytes; and
// giving every one of those cells the same map, shape and orientation, as
// the Fields panel's Set All does.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "track_document.h"
#include "track_history.h"

namespace {

constexpr DWORD kMaxSide = 4096;  // 4096 x 4096 = kMaxCells

std::string benchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
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
    const std::string path = benchPath("kelvane_bench_track.trk");
    for (auto _ : state)
        if (!doc.saveTrack(path.c_str())) state.SkipWithError(doc.lastErrorText());
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(std::filesystem::file_size(path)));
    std::remove(path.c_str());
}

void BM_LoadTrack(benchmark::State& state) {
    TrackDocument source;
    buildLargeTrack(source);
    const std::string path = benchPath("kelvane_bench_track.trk");
    if (!source.saveTrack(path.c_str())) state.SkipWithError(source.lastErrorText());
    TrackDocument doc;
    for (auto _ : state)
        if (!doc.loadTrack(path.c_str())) state.SkipWithError(doc.lastErrorText());
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(std::filesystem::file_size(path)));
    std::remove(path.c_str());
}

// The largest track, saved once for the cases below and removed at exit.
const std::string& maxTrackPath() {
    struct SavedTrack {
        std::string path = benchPath("kelvane_bench_max_track.trk");
        SavedTrack() {
            TrackDocument doc;
            doc.createTrack(kMaxSide, kMaxSide, 1, 0, 0, 0);
            doc.saveTrack(path.c_str());
        }
        ~SavedTrack() { std::remove(path.c_str()); }
    };
    static SavedTrack saved;
    return saved.path;
}

// What loading cannot beat: the file's bytes read into memory in large
// blocks, with nothing built from them.
void BM_ReadMaxTrackBytes(benchmark::State& state) {
    const std::string& path = maxTrackPath();
    const size_t size = size_t(std::filesystem::file_size(path));
    for (auto _ : state) {
        std::unique_ptr<char[]> bytes(new char[size]);
        FILE* file = std::fopen(path.c_str(), "rb");
        if (!file || std::fread(bytes.get(), 1, size, file) != size) state.SkipWithError("read");
        if (file) std::fclose(file);
        benchmark::DoNotOptimize(bytes.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

void BM_LoadMaxTrack(benchmark::State& state) {
    const std::string& path = maxTrackPath();
    for (auto _ : state) {
        TrackDocument doc;
        if (!doc.loadTrack(path.c_str())) state.SkipWithError(doc.lastErrorText());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(std::filesystem::file_size(path)));
}

// The Fields panel's Set All on the largest grid, as one document operation
// (what the panel does), and as the loop of the three field setters per cell
// that it replaces.
void BM_SetAllMaxTrack(benchmark::State& state) {
    TrackDocument doc;
    doc.createTrack(kMaxSide, kMaxSide, 4, 0, 0, 0);
    DWORD map = 0;
    for (auto _ : state) {
        map = (map + 1) % 4;
        doc.setAllFields(map, 2, 1);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kMaxSide * kMaxSide);
}

// As the editor runs it: with the history keeping what Set All overwrites
// (more than the history's budget here, so the step is not kept).
void BM_SetAllMaxTrackWithHistory(benchmark::State& state) {
    TrackDocument doc;
    doc.createTrack(kMaxSide, kMaxSide, 4, 0, 0, 0);
    TrackHistory history(doc);
    DWORD map = 0;
    for (auto _ : state) {
        map = (map + 1) % 4;
        history.beginStep("Set All");
        doc.setAllFields(map, 2, 1);
        history.endStep();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kMaxSide * kMaxSide);
}

void BM_SetEachCellMaxTrack(benchmark::State& state) {
    TrackDocument doc;
    doc.createTrack(kMaxSide, kMaxSide, 4, 0, 0, 0);
    DWORD map = 0;
    for (auto _ : state) {
        map = (map + 1) % 4;
        for (DWORD j = 0; j < doc.getSizeY(); ++j)
            for (DWORD i = 0; i < doc.getSizeX(); ++i) {
                doc.setFieldMap(i, j, map);
                doc.setFieldShape(i, j, 2);
                doc.setFieldOrientation(i, j, 1);
            }
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kMaxSide * kMaxSide);
}

}  // namespace

BENCHMARK(BM_SaveTrack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadTrack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadMaxTrackBytes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadMaxTrack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SetAllMaxTrack)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SetAllMaxTrackWithHistory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SetEachCellMaxTrack)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
