/* Resource and control identifiers of the car tool. */
#ifndef DORVIK_IDS_H
#define DORVIK_IDS_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_DORVIK 101
#define IDI_DORVIK 102

#define IDC_POWER_FACTOR 1000
#define IDC_FRONT_TIRE_MAX 1001
#define IDC_REAR_TIRE_MAX 1002
#define IDC_BRAKING_FORCE 1003
#define IDC_BODY_MESH 1004
#define IDC_WHEEL_MESH 1005
#define IDC_CAR_FILE 1006
#define IDC_GENERATE 1007
#define IDC_CAR_POSITION_Y 1008
#define IDC_SUSPENSION_KU 1009
#define IDC_SUSPENSION_KV 1010

#endif
