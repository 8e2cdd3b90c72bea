#include "command_table.h"

#include "border_panel.h"
#include "camera_commands.h"
#include "edit_history.h"
#include "editor_state.h"
#include "field_panel.h"
#include "kelvane_ids.h"
#include "mesh_panel.h"
#include "sprite_panel.h"
#include "track_commands.h"

namespace {

const int kCommandCount = IDC_MAIN_LAST - IDC_MAIN_FIRST + 1;
const int kAny = -1;

struct Entry {
    int id;
    Command command;
};

// The Fields map list (1021) has no command: Set, Set All and Browse read it.
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
    {IDC_FIELD_I, {fieldCellCommand, kAny, Guard::None}},
    {IDC_FIELD_J, {fieldCellCommand, kAny, Guard::None}},
    {IDC_FIELD_SET, {fieldSetCommand, kAny, Guard::None}},
    {IDC_FIELD_SET_ALL, {fieldSetAllCommand, kAny, Guard::None}},
    {IDC_FIELD_ADD_MAP, {addMapCommand, kAny, Guard::None}},
    {IDC_FIELD_BROWSE, {mapBrowseCommand, kAny, Guard::None}},
    {IDC_SHAPE_GROUND, {shapeCommand, kAny, Guard::None}},
    {IDC_SHAPE_TOP, {shapeCommand, kAny, Guard::None}},
    {IDC_SHAPE_SLOPE, {shapeCommand, kAny, Guard::None}},
    {IDC_SHAPE_CORNER1, {shapeCommand, kAny, Guard::None}},
    {IDC_SHAPE_CORNER2, {shapeCommand, kAny, Guard::None}},
    {IDC_FIELD_ORIENTATION, {orientationCommand, kAny, Guard::None}},
    {IDC_SPRITE_POS_X, {spriteValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_POS_Y, {spriteValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_POS_Z, {spriteValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_SCALE_X, {spriteValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_SCALE_Y, {spriteValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_ANGLE, {spriteValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_SPRITE_FACE, {spriteFaceCommand, kAny, Guard::ReturnTrue}},
    {IDC_SPRITE_NUMBER, {spriteNumberCommand, CBN_SELCHANGE, Guard::None}},
    {IDC_SPRITE_MAP, {spriteMapCommand, CBN_SELENDOK, Guard::None}},
    {IDC_SPRITE_ADD, {addBillboardCommand, kAny, Guard::None}},
    {IDC_MESH_POS_X, {meshValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_MESH_POS_Y, {meshValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_MESH_POS_Z, {meshValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_MESH_SCALE, {meshValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_MESH_ANGLE, {meshValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_MESH_LIST, {meshListCommand, CBN_SELENDOK, Guard::None}},
    {IDC_MESH_ADD, {addMeshCommand, kAny, Guard::None}},
    {IDC_MESH_BROWSE, {meshBrowseCommand, kAny, Guard::None}},
    {IDC_BORDER_X1, {borderValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_Z1, {borderValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_X2, {borderValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_Z2, {borderValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_TOP, {borderValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_BOTTOM, {borderValueCommand, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_TYPE, {borderTypeCommand, kAny, Guard::ReturnFalse}},
    {IDC_BORDER_LIST, {borderListCommand, CBN_SELENDOK, Guard::None}},
    {IDC_BORDER_ADD, {addBorderCommand, kAny, Guard::None}},
    {IDC_SHOW_BORDERS, {showBordersCommand, kAny, Guard::None}},
    {IDC_BORDER_MAP, {trackMapCommand, kAny, Guard::None}},
    {IDC_BACKGROUND_MAP, {trackMapCommand, kAny, Guard::None}},
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
    return runCommandStep(dialog, id, notification, command->handler);
}
