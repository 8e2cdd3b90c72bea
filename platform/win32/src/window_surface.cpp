// First cut of the window-surface contract: no window objects exist yet, so no
// handle names a window and nothing has a surface. The window core replaces
// this with the real lookups.
#include "platform/window_surface.h"

namespace platform {

bool windowClientSize(HWND, int*, int*) { return false; }

WindowSurface* windowSurfaceFor(HWND) { return nullptr; }

void setFrameSource(HWND, std::function<bool(Frame*)>) {}

bool readPresentedFrame(HWND, Frame*) { return false; }

}  // namespace platform
