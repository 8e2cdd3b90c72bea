#include "editor_state.h"

#include "kelvane_ids.h"

HINSTANCE instanceHandle;
HWND previewWindow;
OPENFILENAMEA fileDialog;
char filePath[kEditorPathSize];
char fileTitle[kEditorPathSize];
char trackDirectory[kEditorPathSize];
int updatingControls;
int currentShape;
int currentOrientation;
MainControls controls;

void fetchMainControls(HWND dialog) {
    auto item = [dialog](int id) { return GetDlgItem(dialog, id); };
    controls.fieldI = item(IDC_FIELD_I);
    controls.fieldJ = item(IDC_FIELD_J);
    controls.fieldMaps = item(IDC_FIELD_MAPS);
    controls.spritePosX = item(IDC_SPRITE_POS_X);
    controls.spritePosY = item(IDC_SPRITE_POS_Y);
    controls.spritePosZ = item(IDC_SPRITE_POS_Z);
    controls.spriteScaleX = item(IDC_SPRITE_SCALE_X);
    controls.spriteScaleY = item(IDC_SPRITE_SCALE_Y);
    controls.spriteAngle = item(IDC_SPRITE_ANGLE);
    controls.spriteNumber = item(IDC_SPRITE_NUMBER);
    controls.spriteMap = item(IDC_SPRITE_MAP);
    controls.spriteFace = item(IDC_SPRITE_FACE);
    controls.meshPosX = item(IDC_MESH_POS_X);
    controls.meshPosY = item(IDC_MESH_POS_Y);
    controls.meshPosZ = item(IDC_MESH_POS_Z);
    controls.meshScale = item(IDC_MESH_SCALE);
    controls.meshAngle = item(IDC_MESH_ANGLE);
    controls.meshList = item(IDC_MESH_LIST);
    controls.borderX1 = item(IDC_BORDER_X1);
    controls.borderZ1 = item(IDC_BORDER_Z1);
    controls.borderX2 = item(IDC_BORDER_X2);
    controls.borderZ2 = item(IDC_BORDER_Z2);
    controls.borderTop = item(IDC_BORDER_TOP);
    controls.borderBottom = item(IDC_BORDER_BOTTOM);
    controls.borderList = item(IDC_BORDER_LIST);
    controls.borderType = item(IDC_BORDER_TYPE);
    controls.borderMap = item(IDC_BORDER_MAP);
    controls.backgroundMap = item(IDC_BACKGROUND_MAP);
}

void requestRedraw() {
    InvalidateRgn(previewWindow, NULL, FALSE);
}
