#include "preview_pick.h"

#include <cstdio>

#include "editor_state.h"
#include "frame.h"
#include "kelvane_ids.h"
#include "renderer.h"
#include "scene.h"
#include "top_view.h"
#include "track_document.h"

namespace {

bool bordersShown(HWND dialog) {
    return SendMessageA(GetDlgItem(dialog, IDC_SHOW_BORDERS), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The picture's size: the back buffer, which the window shows stretched
// over its client area.
void pictureSize(HWND preview, int* width, int* height) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(preview, &client);
    *width = static_cast<int>(renderer.presentParams.BackBufferWidth);
    *height = static_cast<int>(renderer.presentParams.BackBufferHeight);
    if (*width <= 0 || *height <= 0) {
        *width = client.right;
        *height = client.bottom;
    }
}

// A list choice made as the user makes it: the entry, then the notification
// the panel acts on.
void chooseListEntry(HWND dialog, int id, HWND list, DWORD index, WORD notification) {
    SendMessageA(list, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(list));
}

}  // namespace

PickResult pickInPreview(HWND preview, int x, int y) {
    PickResult nothing;
    int width, height;
    pictureSize(preview, &width, &height);
    RECT client = {0, 0, 0, 0};
    GetClientRect(preview, &client);
    if (width <= 0 || height <= 0 || client.right <= 0 || client.bottom <= 0) return nothing;
    int px = static_cast<int>(static_cast<long long>(x) * width / client.right);
    int py = static_cast<int>(static_cast<long long>(y) * height / client.bottom);
    FrameView view = frameView(trackDocument, camera, topViewShown, width, height);
    PickRay ray;
    if (!rayThroughPixel(view.view, view.projection, width, height, px, py, &ray)) return nothing;
    PickScene shown;
    shown.lookDirX = scene.lookDirX;
    shown.lookDirZ = scene.lookDirZ;
    shown.bordersShown = bordersShown(GetParent(preview));
    shown.view = &view.view;
    shown.projection = &view.projection;
    shown.width = width;
    shown.height = height;
    shown.x = px;
    shown.y = py;
    return pickAt(trackDocument, ray, shown);
}

void showCellInPanel(DWORD i, DWORD j) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(i));
    SetWindowTextA(controls.fieldI, text);
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(j));
    SetWindowTextA(controls.fieldJ, text);
}

void chooseInPanels(HWND dialog, const PickResult& picked) {
    switch (picked.kind) {
        case PickKind::Cell:
            showCellInPanel(picked.i, picked.j);
            break;
        case PickKind::Billboard:
            chooseListEntry(dialog, IDC_SPRITE_NUMBER, controls.spriteNumber, picked.index,
                            CBN_SELCHANGE);
            break;
        case PickKind::Mesh:
            chooseListEntry(dialog, IDC_MESH_LIST, controls.meshList, picked.index, CBN_SELENDOK);
            break;
        case PickKind::Border:
            chooseListEntry(dialog, IDC_BORDER_LIST, controls.borderList, picked.index,
                            CBN_SELENDOK);
            break;
        case PickKind::Nothing:
            break;
    }
}
