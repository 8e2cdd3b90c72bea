// SetWindowsHookExA, CallNextHookEx and UnhookWindowsHookEx for the one
// kind of hook the programs install: WH_MSGFILTER on their own thread, which
// sees the messages of dialog boxes' modal loops. Other hook kinds, hooks
// for other threads and system-wide hooks are refused with an error.
#include <stdio.h>

#include <algorithm>
#include <vector>

#include "keyboard.h"

namespace win32 {
namespace {

struct Hook {
    int kind;
    HOOKPROC proc;
};

// Installed hooks, oldest first; a removed one leaves a null slot until no
// chain is running, so a hook may unhook itself while it is being called.
struct HookTable {
    std::vector<Hook*> chain;
    int running = 0;
};

HookTable& hooks() {
    static HookTable table;
    return table;
}

Hook* hookFromHandle(HHOOK handle) {
    for (Hook* hook : hooks().chain)
        if (hook && reinterpret_cast<HHOOK>(hook) == handle) return hook;
    return nullptr;
}

// The next live hook of the kind below position `from` (newer hooks first).
LRESULT callFrom(size_t from, int code, WPARAM wParam, LPARAM lParam) {
    std::vector<Hook*>& chain = hooks().chain;
    for (size_t k = from; k-- > 0;) {
        Hook* hook = chain[k];
        if (!hook || hook->kind != WH_MSGFILTER) continue;
        ++hooks().running;
        LRESULT result = hook->proc(code, wParam, lParam);
        --hooks().running;
        return result;
    }
    return 0;
}

void dropRemovedHooks() {
    if (hooks().running > 0) return;
    std::vector<Hook*>& chain = hooks().chain;
    chain.erase(std::remove(chain.begin(), chain.end(), nullptr), chain.end());
}

}  // namespace

bool callMessageFilter(MSG* message, int code) {
    LRESULT taken =
        callFrom(hooks().chain.size(), code, 0, reinterpret_cast<LPARAM>(message));
    dropRemovedHooks();
    return taken != 0;
}

}  // namespace win32

using win32::Hook;

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId) {
    if (!proc) {
        SetLastError(ERROR_INVALID_FILTER_PROC);
        return nullptr;
    }
    if (threadId == 0 && !module) {
        SetLastError(ERROR_HOOK_NEEDS_HMOD);
        return nullptr;
    }
    if (idHook != WH_MSGFILTER || threadId != GetCurrentThreadId()) {
        fprintf(stderr, "SetWindowsHookExA: only WH_MSGFILTER for the calling thread is provided\n");
        SetLastError(idHook == WH_MSGFILTER ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HOOK_FILTER);
        return nullptr;
    }
    Hook* hook = new Hook{idHook, proc};
    win32::hooks().chain.push_back(hook);
    return reinterpret_cast<HHOOK>(hook);
}

LRESULT WINAPI CallNextHookEx(HHOOK current, int code, WPARAM wParam, LPARAM lParam) {
    std::vector<Hook*>& chain = win32::hooks().chain;
    auto at = std::find(chain.begin(), chain.end(), reinterpret_cast<Hook*>(current));
    // A hook unknown here (or already removed) has no next one.
    if (!current || at == chain.end()) return 0;
    return win32::callFrom(static_cast<size_t>(at - chain.begin()), code, wParam, lParam);
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK handle) {
    Hook* hook = win32::hookFromHandle(handle);
    if (!hook) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    std::vector<Hook*>& chain = win32::hooks().chain;
    *std::find(chain.begin(), chain.end(), hook) = nullptr;
    delete hook;
    win32::dropRemovedHooks();
    return TRUE;
}
