// GetTickCount, from the back end's clock.
#include <windows.h>

#include "backend.h"

DWORD WINAPI GetTickCount(void) {
    return win32::backend().tickCount();
}
