// Dorvik, the car tool: one dialog that writes .car files.
#include <windows.h>

#include "car_dialog.h"
#include "dorvik_ids.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand) {
    instanceHandle = instance;
    if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DORVIK), nullptr, CarDialogProc, 0) == -1)
        MessageBoxA(nullptr, "This program requires Win32!", "Ombrix", MB_ICONERROR);
    return 0;
}
