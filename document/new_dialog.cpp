#include "new_dialog.h"

#include <cstdio>
#include <cstdlib>

#include "kelvane_ids.h"
#include "track_document.h"

int trackCreated;

namespace {

struct DefaultText {
    int id;
    const char* text;
};

const DefaultText kDefaults[] = {
    {IDC_NEW_XSIZE, "10"},     {IDC_NEW_YSIZE, "10"}, {IDC_NEW_MAPS, "5"},
    {IDC_NEW_BILLBOARDS, "5"}, {IDC_NEW_MESHES, "1"}, {IDC_NEW_BORDERS, "20"},
};

// The box's first 15 characters by the atoi rules, kept as the 32-bit word
// createTrack receives: a negative number becomes a huge count and is refused.
DWORD readCount(HWND dialog, int id) {
    char text[16] = {};
    GetWindowTextA(GetDlgItem(dialog, id), text, sizeof text);
    long long value = std::strtoll(text, nullptr, 10);
    if (value < 0) return 0xFFFFFFFFu;
    if (value > 0xFFFFFFFFll) return 0xFFFFFFFFu;
    return static_cast<DWORD>(value);
}

void refuseCount(const char* what, DWORD count, char* out, size_t outSize) {
    std::snprintf(out, outSize, "%s: %u is more than the %u a track can hold.", what,
                  static_cast<unsigned>(count), static_cast<unsigned>(kMaxRecords));
}

// OK: creates the track from the six boxes, or names the limit they break and
// leaves the dialog open with nothing created.
void confirm(HWND dialog) {
    NewTrackSize size = {readCount(dialog, IDC_NEW_XSIZE),   readCount(dialog, IDC_NEW_YSIZE),
                         readCount(dialog, IDC_NEW_MAPS),    readCount(dialog, IDC_NEW_BILLBOARDS),
                         readCount(dialog, IDC_NEW_BORDERS), readCount(dialog, IDC_NEW_MESHES)};
    char refusal[160];
    newTrackRefusal(size, refusal, sizeof refusal);
    if (refusal[0] != '\0') {
        MessageBoxA(dialog, refusal, "New", MB_OK | MB_ICONERROR);
        return;
    }
    if (!trackDocument.createTrack(size.sizeX, size.sizeY, size.maps, size.billboards, size.borders,
                                   size.meshes)) {
        std::snprintf(refusal, sizeof refusal, "The track could not be created: %s.",
                      trackDocument.lastErrorText());
        MessageBoxA(dialog, refusal, "New", MB_OK | MB_ICONERROR);
        return;
    }
    trackCreated = 1;
    EndDialog(dialog, 0);
}

}  // namespace

void newTrackRefusal(const NewTrackSize& size, char* out, size_t outSize) {
    unsigned long long cells = static_cast<unsigned long long>(size.sizeX) * size.sizeY;
    out[0] = '\0';
    if (size.sizeX > kMaxCells || size.sizeY > kMaxCells) {
        // A side alone is bounded too: a long row of no rows is no track.
        std::snprintf(out, outSize, "%s: %u is more than the %u fields a side can hold.",
                      size.sizeX > kMaxCells ? "X Size" : "Y Size",
                      static_cast<unsigned>(size.sizeX > kMaxCells ? size.sizeX : size.sizeY),
                      static_cast<unsigned>(kMaxCells));
    } else if (cells > kMaxCells) {
        std::snprintf(out, outSize,
                      "X Size times Y Size: %llu fields is more than the %u a track can hold.",
                      cells, static_cast<unsigned>(kMaxCells));
    } else if (size.maps > kMaxRecords) {
        refuseCount("Maps", size.maps, out, outSize);
    } else if (size.billboards > kMaxRecords) {
        refuseCount("Billboards", size.billboards, out, outSize);
    } else if (size.meshes > kMaxRecords) {
        refuseCount("Meshes", size.meshes, out, outSize);
    } else if (size.borders > kMaxRecords) {
        refuseCount("Borders", size.borders, out, outSize);
    }
}

INT_PTR CALLBACK NewDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            trackCreated = 0;
            for (const DefaultText& d : kDefaults) SetWindowTextA(GetDlgItem(dialog, d.id), d.text);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_NEW_OK) {
                confirm(dialog);
                return TRUE;
            }
            if (LOWORD(wParam) == IDC_NEW_CANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        case WM_SYSCOMMAND:
            if (wParam != SC_CLOSE) return FALSE;
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}
