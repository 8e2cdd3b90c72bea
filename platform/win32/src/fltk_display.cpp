// Whether an X display can be opened, asked before FLTK would end the
// process with its own message.
#include <X11/Xlib.h>

#include "fltk_backend.h"

namespace win32 {

bool canOpenDisplay() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
}

}  // namespace win32
