/* Resource and control identifiers of the track editor. The main dialog and
 * the New dialog are separate templates, so their control ids overlap on
 * purpose: 1010-1017 mean different boxes in each. */
#ifndef KELVANE_IDS_H
#define KELVANE_IDS_H

/* Controls the program never addresses */
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* Templates and icon */
#define IDD_NEW 101
#define IDD_MAIN 103
#define IDD_PREVIEW 104
#define IDI_KELVANE 105
#define IDR_ACCELERATORS 106

/* Commands of the accelerator table */
#define IDM_UNDO 40001
#define IDM_REDO 40002
#define IDM_COPY 40003
#define IDM_CUT 40004
#define IDM_PASTE 40005

/* New dialog */
#define IDC_NEW_XSIZE 1010
#define IDC_NEW_YSIZE 1011
#define IDC_NEW_CANCEL 1012
#define IDC_NEW_OK 1013
#define IDC_NEW_MAPS 1014
#define IDC_NEW_BILLBOARDS 1015
#define IDC_NEW_BORDERS 1016
#define IDC_NEW_MESHES 1017

/* Main dialog: Track */
#define IDC_TRACK_NEW 1007
#define IDC_TRACK_LOAD 1008
#define IDC_TRACK_SAVE 1009

/* Main dialog: Fields */
#define IDC_FIELD_I 1010
#define IDC_FIELD_J 1011
#define IDC_FIELD_BROWSE 1015
#define IDC_FIELD_MAPS 1021
#define IDC_FIELD_SET 1022
#define IDC_FIELD_SET_ALL 1024
#define IDC_FIELD_ADD_MAP 1032
#define IDC_SHAPE_CORNER1 1043
#define IDC_SHAPE_CORNER2 1044
#define IDC_FIELD_ORIENTATION 1046
#define IDC_SHAPE_SLOPE 1052
#define IDC_SHAPE_TOP 1054
#define IDC_SHAPE_GROUND 1055

/* Main dialog: Sprites */
#define IDC_SPRITE_POS_X 1012
#define IDC_SPRITE_POS_Y 1013
#define IDC_SPRITE_POS_Z 1014
#define IDC_SPRITE_SCALE_X 1016
#define IDC_SPRITE_SCALE_Y 1017
#define IDC_SPRITE_ANGLE 1018
#define IDC_SPRITE_NUMBER 1034
#define IDC_SPRITE_MAP 1035
#define IDC_SPRITE_FACE 1037
#define IDC_SPRITE_ADD 1042

/* Main dialog: Camera */
#define IDC_CAMERA_LEFT 1025
#define IDC_CAMERA_RIGHT 1026
#define IDC_CAMERA_UP 1027
#define IDC_CAMERA_DOWN 1028
#define IDC_CAMERA_FORWARD 1029
#define IDC_CAMERA_BACK 1030
#define IDC_CAMERA_STEP_LEFT 1038
#define IDC_CAMERA_STEP_RIGHT 1039

/* Main dialog: Borders, Border, Background */
#define IDC_BORDER_X2 1019
#define IDC_BORDER_Z2 1020
#define IDC_BORDER_X1 1023
#define IDC_BORDER_MAP 1031
#define IDC_BACKGROUND_MAP 1033
#define IDC_BORDER_Z1 1036
#define IDC_BORDER_ADD 1040
#define IDC_BORDER_LIST 1041
#define IDC_BORDER_BOTTOM 1045
#define IDC_BORDER_TOP 1047
#define IDC_BORDER_TYPE 1049
#define IDC_SHOW_BORDERS 1050

/* Main dialog: Meshes */
#define IDC_MESH_POS_X 1059
#define IDC_MESH_POS_Y 1060
#define IDC_MESH_POS_Z 1061
#define IDC_MESH_SCALE 1062
#define IDC_MESH_ANGLE 1063
#define IDC_MESH_BROWSE 1064
#define IDC_MESH_LIST 1065
#define IDC_MESH_ADD 1066

/* The span the main dialog's command table covers */
#define IDC_MAIN_FIRST 1007
#define IDC_MAIN_LAST 1066

#endif
