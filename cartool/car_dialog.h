// Dorvik's one dialog: the car's values in, a .car file out.
#ifndef DORVIK_CAR_DIALOG_H
#define DORVIK_CAR_DIALOG_H

#include <windows.h>

extern HINSTANCE instanceHandle;

INT_PTR CALLBACK CarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
