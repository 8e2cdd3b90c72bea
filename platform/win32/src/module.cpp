// The program's module handle: the address Windows loads an executable at,
// the same value the program entry passes to WinMain.
#include <windows.h>

#include <stdint.h>

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    if (moduleName) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x400000));
}
