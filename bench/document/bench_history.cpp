// Undo and redo of Set All on a 4096 x 4096 track (16,777,216 cells), the
// largest the document builds. Goal: each under 100 ms. The grid starts with
// a pattern of rows, so the cells the undo restores are not all one run.
#include <benchmark/benchmark.h>

#include "track_document.h"
#include "track_history.h"

namespace {

const DWORD kSide = 4096;

void setAll(TrackDocument& doc, DWORD map) {
    for (DWORD j = 0; j < kSide; ++j)
        for (DWORD i = 0; i < kSide; ++i) {
            doc.setFieldMap(i, j, map);
            doc.setFieldShape(i, j, 1);
            doc.setFieldOrientation(i, j, 2);
        }
}

// A track whose rows alternate between two kinds of cell, Set All over it,
// and the history holding that one step.
struct SetAllTrack {
    TrackDocument doc;
    TrackHistory history{doc};
    SetAllTrack() {
        doc.createTrack(kSide, kSide, 4, 0, 0, 0);
        for (DWORD j = 0; j < kSide; j += 2)
            for (DWORD i = 0; i < kSide; ++i) doc.setFieldMap(i, j, 3);
        history.clear();
        history.beginStep("Set All");
        setAll(doc, 1);
        history.endStep();
    }
};

void BM_UndoSetAll(benchmark::State& state) {
    SetAllTrack track;
    for (auto _ : state) {
        if (track.history.undo(nullptr) != HistoryResult::Done) state.SkipWithError("undo");
        state.PauseTiming();
        track.history.redo(nullptr);
        state.ResumeTiming();
    }
    state.counters["history_MiB"] = double(track.history.bytesUsed()) / (1 << 20);
}

void BM_RedoSetAll(benchmark::State& state) {
    SetAllTrack track;
    for (auto _ : state) {
        state.PauseTiming();
        track.history.undo(nullptr);
        state.ResumeTiming();
        if (track.history.redo(nullptr) != HistoryResult::Done) state.SkipWithError("redo");
    }
}

// The command itself, with the history recording what it overwrites.
void BM_SetAllRecorded(benchmark::State& state) {
    TrackDocument doc;
    doc.createTrack(kSide, kSide, 4, 0, 0, 0);
    TrackHistory history(doc);
    DWORD map = 0;
    for (auto _ : state) {
        history.beginStep("Set All");
        setAll(doc, map++ % 4);
        history.endStep();
    }
}

}  // namespace

BENCHMARK(BM_UndoSetAll)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RedoSetAll)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SetAllRecorded)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK_MAIN();
