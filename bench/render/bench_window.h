// The frame benchmark's target: a bare top-level window with a given client
// size, made by the stand-in on Linux and by user32 on Windows.
#ifndef KELVANE_BENCH_RENDER_BENCH_WINDOW_H
#define KELVANE_BENCH_RENDER_BENCH_WINDOW_H

#include <windows.h>

HWND createBenchWindow(int clientWidth, int clientHeight);
void destroyBenchWindow(HWND window);

#endif
