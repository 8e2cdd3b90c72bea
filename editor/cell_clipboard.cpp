#include "cell_clipboard.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "edit_history.h"
#include "editor_state.h"
#include "panel_support.h"
#include "preview_paint.h"
#include "track_document.h"

namespace {

struct CellRect {
    long long i0, j0, i1, j1;  // inclusive corners, i0 <= i1, j0 <= j1
};

struct CopiedCells {
    DWORD width = 0;
    DWORD height = 0;
    std::vector<Field> cells;  // row by row
};

CopiedCells copied;

// The last Shift-drag rectangle, unless the user selected a cell outside it.
bool paintedRectangle(CellRect* rect) {
    if (!lastPaintRectangle.valid) return false;
    const CellRectangle& r = lastPaintRectangle;
    *rect = CellRect{std::min(r.firstI, r.lastI), std::min(r.firstJ, r.lastJ),
                     std::max(r.firstI, r.lastI), std::max(r.firstJ, r.lastJ)};
    return selectedFieldI >= rect->i0 && selectedFieldI <= rect->i1 &&
           selectedFieldJ >= rect->j0 && selectedFieldJ <= rect->j1;
}

// What Ctrl+C and Ctrl+X act on, cut to the grid; false when nothing of it
// lies inside.
bool sourceCells(CellRect* rect) {
    if (!paintedRectangle(rect))
        *rect = CellRect{selectedFieldI, selectedFieldJ, selectedFieldI, selectedFieldJ};
    long long sizeX = trackDocument.getSizeX(), sizeY = trackDocument.getSizeY();
    rect->i0 = std::max(rect->i0, 0LL);
    rect->j0 = std::max(rect->j0, 0LL);
    rect->i1 = std::min(rect->i1, sizeX - 1);
    rect->j1 = std::min(rect->j1, sizeY - 1);
    return rect->i0 <= rect->i1 && rect->j0 <= rect->j1;
}

bool copyCells(HWND dialog, CellRect* rect) {
    if (!trackDocument.isLoaded()) return false;
    if (!sourceCells(rect)) {
        refuseCommand(dialog, "The selected cell lies outside the grid; nothing was copied.");
        return false;
    }
    copied.width = static_cast<DWORD>(rect->i1 - rect->i0 + 1);
    copied.height = static_cast<DWORD>(rect->j1 - rect->j0 + 1);
    copied.cells.clear();
    for (long long j = rect->j0; j <= rect->j1; ++j)
        for (long long i = rect->i0; i <= rect->i1; ++i)
            copied.cells.push_back(*trackDocument.fieldAt(DWORD(i), DWORD(j)));
    return true;
}

// A copied cell may name a map the track no longer has (undone, or another
// track): such a paste is refused whole rather than storing a bad index.
bool copiedMapsExist() {
    for (const Field& cell : copied.cells)
        if (cell.empty == kSlotUsed && cell.map >= trackDocument.getMapCount()) return false;
    return true;
}

}  // namespace

BOOL copyCellsCommand(HWND dialog) {
    CellRect rect;
    copyCells(dialog, &rect);
    return TRUE;
}

BOOL cutCellsCommand(HWND dialog) {
    CellRect rect;
    if (!copyCells(dialog, &rect)) return TRUE;
    beginEditStep("Cut");
    for (long long j = rect.j0; j <= rect.j1; ++j)
        for (long long i = rect.i0; i <= rect.i1; ++i) trackDocument.clearField(DWORD(i), DWORD(j));
    endEditStep(dialog);
    requestRedraw();
    return TRUE;
}

BOOL pasteCellsCommand(HWND dialog) {
    if (!trackDocument.isLoaded()) return TRUE;
    if (copied.cells.empty()) {
        refuseCommand(dialog, "Nothing to paste: copy cells with Ctrl+C first.");
        return TRUE;
    }
    long long sizeX = trackDocument.getSizeX(), sizeY = trackDocument.getSizeY();
    long long left = selectedFieldI, top = selectedFieldJ;
    if (left < 0 || top < 0 || left >= sizeX || top >= sizeY) {
        refuseCommand(dialog, "The selected cell lies outside the grid; nothing was pasted.");
        return TRUE;
    }
    if (!copiedMapsExist()) {
        refuseCommand(dialog, "The copied cells name a map this track does not have; nothing "
                              "was pasted.");
        return TRUE;
    }
    DWORD width = static_cast<DWORD>(std::min<long long>(copied.width, sizeX - left));
    DWORD height = static_cast<DWORD>(std::min<long long>(copied.height, sizeY - top));
    beginEditStep("Paste");
    for (DWORD y = 0; y < height; ++y)
        for (DWORD x = 0; x < width; ++x)
            trackDocument.setField(DWORD(left + x), DWORD(top + y),
                                   copied.cells[size_t(y) * copied.width + x]);
    endEditStep(dialog);
    requestRedraw();
    return TRUE;
}
