#include "bench_window.h"

#include "platform/window_surface.h"

HWND createBenchWindow(int clientWidth, int clientHeight) {
    return platform::createBareWindow(clientWidth, clientHeight);
}

void destroyBenchWindow(HWND window) {
    platform::destroyBareWindow(window);
}
