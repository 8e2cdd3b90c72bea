// What the panel scripts share: a New with given counts, the small pictures
// and model under data/, the track the program saved next to one built
// in-process, and pictures compared with a tolerance.
#ifndef KELVANE_TESTS_EDITOR_PANEL_SCRIPT_H
#define KELVANE_TESTS_EDITOR_PANEL_SCRIPT_H

#include <string>
#include <vector>

#include "kelvane_ids.h"
#include "program_run.h"

struct TrackDocument;

// New with these sizes and counts, confirmed with Enter.
UiScript newTrackLines(int sizeX, int sizeY, int maps, int billboards, int borders, int meshes);

// Save, Load and a snapshot of the Preview into the folder.
UiScript saveTrackLines(const TempFolder& folder, const std::string& name);
UiScript loadTrackLines(const std::string& path);
UiScript snapshotLines(const TempFolder& folder, const std::string& name);

// Copies every file of tests/editor/data into the folder; false on failure.
bool copyTestData(const TempFolder& folder);
std::string testDataPath(const std::string& name);

// The bytes saveTrack writes for the document.
std::string savedBytes(TrackDocument& document, const TempFolder& folder);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
};
bool loadPicture(const std::string& pngPath, Picture* picture);

// Fraction of pixels where some channel differs by more than `tolerance`; 1
// when the sizes differ or either picture is missing.
double differingFraction(const Picture& a, const Picture& b, int tolerance);

// The snapshot against golden/NAME within a small tolerance; with
// KELVANE_WRITE_GOLDEN=1 the snapshot becomes the golden picture first.
void expectLikeGolden(const std::string& snapshot, const std::string& golden);

#endif
