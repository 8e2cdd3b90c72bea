// Painting cells in the Preview: Ctrl + left drag sets every cell the cursor
// passes over, Shift + left drag the rectangle between the press and the
// release cells, each cell exactly as Set sets it, with Set's refusals.
//
// A stroke or a rectangle is one edit from beginPaintStroke to
// endPaintStroke; whatever treats edits as units (undo) hooks in there.
#ifndef KELVANE_EDITOR_PREVIEW_PAINT_H
#define KELVANE_EDITOR_PREVIEW_PAINT_H

#include <windows.h>

enum class PaintMode { Stroke, Rectangle };

// The corners of the last rectangle painted with Shift (inclusive cells, the
// first corner where the drag began); `valid` false before the first.
struct CellRectangle {
    bool valid;
    DWORD firstI, firstJ, lastI, lastJ;
};
extern CellRectangle lastPaintRectangle;

// Starts painting at cell (i, j). False when nothing may be painted (no
// track, or no map chosen: then Set's message was shown); no stroke is open.
bool beginPaintStroke(HWND dialog, PaintMode mode, DWORD i, DWORD j);
// The cursor is over cell (i, j) now: a stroke sets every cell on the way
// from the last one; a rectangle only follows the corner.
void continuePaintStroke(DWORD i, DWORD j);
// Ends the open stroke; a rectangle is set now, between its two corners.
void endPaintStroke();
bool paintStrokeOpen();

#endif
