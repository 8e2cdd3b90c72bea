// The drawing passes of one Preview frame, called between BeginScene and
// EndScene in this order: background, meshes, fields, billboards, borders.
// Each reads the track and the editor's selection and never writes either.
#ifndef KELVANE_RENDER_PASSES_H
#define KELVANE_RENDER_PASSES_H

#include "track_document.h"
#include "view_volume.h"

// How far the background walls stand from the eye.
constexpr float kBackgroundDistance = 1400.0f;

// The background picture on four unlit walls round the eye that write no
// depth. 0 without a track, else 1.
int backgroundPass(const TrackDocument& track, float distance);

// Every placed mesh with its scale, turn and position. Always 1.
int meshPass(const TrackDocument& track);
int meshPass(const TrackDocument& track, const ViewVolume& volume);

// Every used cell as its shape's quad, the selected one red-tinted, and the
// wall ring along the grid's edge. 0 without a track, else 1.
int fieldPass(const TrackDocument& track);
// The same, less the cells and walls the volume cannot show: what is drawn
// is drawn in the same order, so the picture is the same.
int fieldPass(const TrackDocument& track, const ViewVolume& volume);

// A view that shows the whole of a big grid (the top view) gives each cell
// less than a pixel: there the grid is drawn in square blocks of `step` cells
// a side, each as one of its cells stretched over it, so at most
// kCoarseBlocksASide blocks a side are drawn whatever the track's size.
// A step of 1 is the field pass itself.
constexpr DWORD kCoarseBlocksASide = 128;
DWORD coarseStep(DWORD sizeX, DWORD sizeY);
int coarseFieldPass(const TrackDocument& track, const ViewVolume& volume, DWORD step);

// Every used billboard, fixed or turned to the camera, the selected one
// glowing red. 0 without a track, else 1.
int billboardPass(const TrackDocument& track);
int billboardPass(const TrackDocument& track, const ViewVolume& volume);

// Every used border as a red wire frame, the selected one white. Always 1.
int borderPass(const TrackDocument& track);
int borderPass(const TrackDocument& track, const ViewVolume& volume);

#endif
