// LoadAcceleratorsA and TranslateAcceleratorA over the tables the resource
// compiler built. An entry matches a WM_KEYDOWN or WM_SYSKEYDOWN of its
// virtual key with exactly its Shift, Ctrl and Alt state, or a WM_CHAR or
// WM_SYSCHAR of its character; the command goes to the window as WM_COMMAND
// with 1 in the high word. Window menus do not exist here, so no entry
// becomes WM_SYSCOMMAND. Tables from CreateAcceleratorTable are not provided.
#include "keyboard.h"
#include "platform/resource_table.h"

namespace {

using platform::AcceleratorEntryResource;
using platform::AcceleratorResource;

BYTE modifierState() {
    BYTE state = 0;
    if (win32::keyIsDown(VK_SHIFT)) state |= FSHIFT;
    if (win32::keyIsDown(VK_CONTROL)) state |= FCONTROL;
    if (win32::keyIsDown(VK_MENU)) state |= FALT;
    return state;
}

bool entryMatches(const AcceleratorEntryResource& entry, const MSG& msg) {
    if (entry.key != msg.wParam) return false;
    BYTE state = modifierState();
    if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR)
        return !(entry.flags & FVIRTKEY) && (entry.flags & FALT) == (state & FALT);
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    return (entry.flags & FVIRTKEY) && (entry.flags & (FSHIFT | FCONTROL | FALT)) == state;
}

const AcceleratorResource* tableFromHandle(HACCEL handle) {
    return reinterpret_cast<const AcceleratorResource*>(handle);
}

}  // namespace

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE instance, LPCSTR tableName) {
    const AcceleratorResource* table =
        IS_INTRESOURCE(tableName) ? platform::findAcceleratorResource(LOWORD(tableName)) : nullptr;
    if (!table) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    // The table lives as long as the program, as a loaded resource does.
    return reinterpret_cast<HACCEL>(const_cast<AcceleratorResource*>(table));
}

int WINAPI TranslateAcceleratorA(HWND handle, HACCEL accelerators, LPMSG msg) {
    win32::Window* window = win32::windowFromHandle(handle);
    if (!window) return 0;
    const AcceleratorResource* table = tableFromHandle(accelerators);
    if (!table) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return 0;
    }
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    for (size_t k = 0; k < table->entryCount; ++k) {
        const AcceleratorEntryResource& entry = table->entries[k];
        if (!entryMatches(entry, *msg)) continue;
        // A disabled window gets no command, but the key is still taken.
        if (window->enabled)
            win32::sendMessage(window, WM_COMMAND, MAKEWPARAM(entry.command, 1), 0);
        return 1;
    }
    return 0;
}
