// GetCurrentThreadId: the system's id of the calling thread, which is what
// thread-local hooks are installed for.
#include <windows.h>

#include <sys/syscall.h>
#include <unistd.h>

DWORD WINAPI GetCurrentThreadId(void) {
    return static_cast<DWORD>(syscall(SYS_gettid));
}
