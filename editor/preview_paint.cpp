#include "preview_paint.h"

#include <cstdlib>

#include "editor_state.h"
#include "field_panel.h"
#include "preview_pick.h"
#include "track_document.h"

CellRectangle lastPaintRectangle = {false, 0, 0, 0, 0};

namespace {

struct Stroke {
    bool open = false;
    PaintMode mode = PaintMode::Stroke;
    DWORD map = 0;
    DWORD startI = 0, startJ = 0;
    DWORD lastI = 0, lastJ = 0;
};

Stroke& stroke() {
    static Stroke current;
    return current;
}

void paintCell(DWORD i, DWORD j) {
    if (!cellInGrid(static_cast<int>(i), static_cast<int>(j))) return;
    setCell(i, j, stroke().map);
}

// Every cell on the grid line from the last cell to (i, j), corners
// included, so a fast mouse leaves no gaps.
void paintLineTo(DWORD i, DWORD j) {
    long x = long(stroke().lastI), z = long(stroke().lastJ);
    long dx = std::labs(long(i) - x), dz = std::labs(long(j) - z);
    long sx = long(i) > x ? 1 : -1, sz = long(j) > z ? 1 : -1;
    long error = dx - dz;
    while (x != long(i) || z != long(j)) {
        long twice = 2 * error;
        if (twice > -dz && x != long(i)) {
            error -= dz;
            x += sx;
        } else {
            error += dx;
            z += sz;
        }
        paintCell(DWORD(x), DWORD(z));
    }
}

void paintRectangle(const Stroke& s) {
    DWORD i0 = s.startI < s.lastI ? s.startI : s.lastI, i1 = s.startI < s.lastI ? s.lastI : s.startI;
    DWORD j0 = s.startJ < s.lastJ ? s.startJ : s.lastJ, j1 = s.startJ < s.lastJ ? s.lastJ : s.startJ;
    for (DWORD j = j0; j <= j1; ++j)
        for (DWORD i = i0; i <= i1; ++i) paintCell(i, j);
    lastPaintRectangle = CellRectangle{true, s.startI, s.startJ, s.lastI, s.lastJ};
}

}  // namespace

bool beginPaintStroke(HWND dialog, PaintMode mode, DWORD i, DWORD j) {
    endPaintStroke();
    if (!trackDocument.isLoaded()) return false;
    int map = chosenFieldMap(dialog);
    if (map < 0) return false;
    Stroke& s = stroke();
    s = Stroke{true, mode, DWORD(map), i, j, i, j};
    if (mode == PaintMode::Stroke) paintCell(i, j);
    showCellInPanel(i, j);
    requestRedraw();
    return true;
}

void continuePaintStroke(DWORD i, DWORD j) {
    Stroke& s = stroke();
    if (!s.open || (i == s.lastI && j == s.lastJ)) return;
    if (s.mode == PaintMode::Stroke) paintLineTo(i, j);
    s.lastI = i;
    s.lastJ = j;
    showCellInPanel(i, j);
    requestRedraw();
}

void endPaintStroke() {
    Stroke& s = stroke();
    if (!s.open) return;
    if (s.mode == PaintMode::Rectangle) paintRectangle(s);
    s.open = false;
    requestRedraw();
}

bool paintStrokeOpen() {
    return stroke().open;
}
