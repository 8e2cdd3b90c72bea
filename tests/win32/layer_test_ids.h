/* Ids of the layer tests' dialog templates. */
#define IDD_CONTROLS 201
#define IDD_PLAIN 202
#define IDD_INNER 203
#define IDD_BROKEN_CHILD 204

#define IDC_TEXT 3001
#define IDC_DIGITS 3002
#define IDC_MIRROR 3003
#define IDC_A1 3010
#define IDC_A2 3011
#define IDC_B1 3012
#define IDC_B2 3013
#define IDC_CHECK 3014
#define IDC_PUSHLIKE 3015
#define IDC_LIST 3020
#define IDC_DROPDOWN 3021
#define IDC_OTHER 3030
#define IDC_GO 3031
#define IDC_LABEL 3040
#define IDC_DISABLED 3041

#define IDR_KEYS 205
#define VK_F1_LIKE 0x70
#define IDM_FIRST 4001
#define IDM_SECOND 4002
#define IDM_THIRD 4003
