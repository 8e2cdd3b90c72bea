// What the window layer gives the Direct3D layer: the size of a window's
// client area, an on-screen OpenGL surface over it when the back end has a
// display, and a place to keep the last presented frame for snapshots.
// This is the whole contract between platform/win32 and platform/d3d9.
#ifndef KELVANE_PLATFORM_WINDOW_SURFACE_H
#define KELVANE_PLATFORM_WINDOW_SURFACE_H

#include <windows.h>

#include <functional>
#include <vector>

namespace platform {

// An OpenGL surface covering a window's client area on a real display.
class WindowSurface {
public:
    virtual ~WindowSurface() = default;
    // Makes the surface's GL context current with its default framebuffer
    // bound to the client area. False when that is not possible now.
    virtual bool makeCurrent() = 0;
    virtual void swapBuffers() = 0;
};

// Client-area size in pixels; false for a handle that names no window.
bool windowClientSize(HWND window, int* width, int* height);

// A bare top-level window with the given client size, no procedure and no
// controls: a device target for tests and benchmarks that need no dialog.
HWND createBareWindow(int clientWidth, int clientHeight);
void destroyBareWindow(HWND window);

// The on-screen surface of the window, created on first use; null when the
// back end has no display (headless), in which case the caller renders
// offscreen.
WindowSurface* windowSurfaceFor(HWND window);

// A presented frame: RGBA, rows top-down.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
};

// The Direct3D layer registers how to read back the last frame it presented
// into a window; the window layer calls it when a snapshot is asked for.
// Reading back lazily keeps presenting cheap. An empty function unregisters.
void setFrameSource(HWND window, std::function<bool(Frame*)> source);
bool readPresentedFrame(HWND window, Frame* frame);

}  // namespace platform

#endif
