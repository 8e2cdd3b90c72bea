// The cell under the mouse in the Preview, outlined so the user sees what a
// click will choose. The editor sets it; the hover pass only reads it.
#ifndef KELVANE_RENDER_HOVER_H
#define KELVANE_RENDER_HOVER_H

#include "track_document.h"

// -1 when the mouse is over no cell.
extern int hoveredFieldI;
extern int hoveredFieldJ;

// A thin yellow outline along the hovered cell's edges, on its surface.
// Each point is drawn a little towards the eye along its line of sight, so
// it lands on the same pixel yet in front of the cell it outlines; a view
// from straight above lifts the outline instead. Always 1.
int hoverPass(const TrackDocument& track, const float eye[3], bool fromAbove);

#endif
