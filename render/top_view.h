// The Preview's top view: straight down on the whole grid, +X (growing I) to
// the right and +Z (growing J) up, with a parallel projection that fits any
// track, a side of 10 cells or of 4096, into the picture. The only place
// its camera and projection are made.
#ifndef KELVANE_RENDER_TOP_VIEW_H
#define KELVANE_RENDER_TOP_VIEW_H

#include <windows.h>
#include <d3dx9.h>

#include "track_document.h"

void topViewMatrices(const TrackDocument& track, int width, int height, D3DXMATRIX* view,
                     D3DXMATRIX* projection);

// Whether the Preview shows the top view; the editor switches it.
extern bool topViewShown;

// The height the top view looks down from.
constexpr float kTopViewEyeHeight = 20000.0f;

#endif
