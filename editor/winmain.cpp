// Program entry of the track editor.
#include <windows.h>

#include "editor_state.h"
#include "kelvane_ids.h"
#include "main_dialog.h"
#include "message_caption.h"
#include "preview_camera.h"
#include "preview.h"
#include "renderer.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int show) {
    instanceHandle = instance;
    resetCamera(camera);
    if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDialogProc,
                        reinterpret_cast<LPARAM>(commandLine)) == -1) {
        MessageBoxA(NULL, "This program requires Win32!", kMessageCaption, MB_ICONERROR);
    }
    // Released in order so the device and every resource on it go with a
    // count of zero.
    shutdownRenderer();
    return 0;
}
