#include "command_table.h"

#include "camera_commands.h"
#include "editor_state.h"
#include "kelvane_ids.h"
#include "track_commands.h"

namespace {

const int kCommandCount = IDC_MAIN_LAST - IDC_MAIN_FIRST + 1;
const int kAny = -1;

struct Entry {
    int id;
    Command command;
};

// Controls whose commands are not written yet keep their filter and guard
// here, so adding the handler is all a panel needs.
const Entry kEntries[] = {
    {IDC_TRACK_NEW, {newCommand, kAny, Guard::None}},
    {IDC_TRACK_LOAD, {loadCommand, kAny, Guard::None}},
    {IDC_TRACK_SAVE, {saveCommand, kAny, Guard::None}},
    {IDC_CAMERA_LEFT, {cameraCommand, kAny, Guard::None}},
    {IDC_CAMERA_RIGHT, {cameraCommand, kAny, Guard::None}},
    {IDC_CAMERA_UP, {cameraCommand, kAny, Guard::None}},
    {IDC_CAMERA_DOWN, {cameraCommand, kAny, Guard::None}},
    {IDC_CAMERA_FORWARD, {cameraCommand, kAny, Guard::None}},
    {IDC_CAMERA_BACK, {cameraCommand, kAny, Guard::None}},
    {IDC_CAMERA_STEP_LEFT, {cameraCommand, kAny, Guard::None}},
    {IDC_CAMERA_STEP_RIGHT, {cameraCommand, kAny, Guard::None}},
    {IDC_SPRITE_POS_X, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_POS_Y, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_POS_Z, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_SCALE_X, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_SCALE_Y, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_ANGLE, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_FACE, {nullptr, kAny, Guard::ReturnTrue}},
    {IDC_SPRITE_NUMBER, {nullptr, CBN_SELCHANGE, Guard::None}},
    {IDC_SPRITE_MAP, {nullptr, CBN_SELENDOK, Guard::None}},
    {IDC_MESH_POS_X, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_MESH_POS_Y, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_MESH_POS_Z, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_MESH_SCALE, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_MESH_ANGLE, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_MESH_LIST, {nullptr, CBN_SELENDOK, Guard::None}},
    {IDC_BORDER_X1, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_Z1, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_X2, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_Z2, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_TOP, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_BOTTOM, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_TYPE, {nullptr, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_LIST, {nullptr, CBN_SELENDOK, Guard::None}},
};

struct Table {
    Command commands[kCommandCount];
    Table() : commands() {
        for (const Entry& e : kEntries) commands[e.id - IDC_MAIN_FIRST] = e.command;
    }
};

const Table& table() {
    static const Table built;
    return built;
}

}  // namespace

const Command* findCommand(int controlId) {
    if (controlId < IDC_MAIN_FIRST || controlId > IDC_MAIN_LAST) return nullptr;
    return &table().commands[controlId - IDC_MAIN_FIRST];
}

BOOL dispatchCommand(HWND dialog, WPARAM wParam) {
    int id = LOWORD(wParam);
    WORD notification = HIWORD(wParam);
    const Command* command = findCommand(id);
    if (command == nullptr || command->handler == nullptr) return FALSE;
    if (command->onlyNotification != kAny && notification != command->onlyNotification) return TRUE;
    if (command->guard != Guard::None && updatingControls)
        return command->guard == Guard::ReturnTrue;
    return command->handler(dialog, id, notification);
}
