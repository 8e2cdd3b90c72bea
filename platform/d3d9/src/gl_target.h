// Where a device draws: a GL context made current on demand and a
// framebuffer object of the back-buffer size. Present copies the back buffer
// into a second "presented" framebuffer (kept for snapshots) and, with an
// on-screen surface, onto the window.
#ifndef KELVANE_D3D9_GL_TARGET_H
#define KELVANE_D3D9_GL_TARGET_H

#include <windows.h>
#include <d3d9.h>

#include <memory>

#include "platform/window_surface.h"

namespace platform {
namespace d3d9 {

struct TargetFormat {
    int width = 0;
    int height = 0;
    bool alpha = false;  // A8R8G8B8 back buffer rather than X8R8G8B8
    int depthBits = 0;   // 0: no depth buffer
};

class GlTarget {
public:
    virtual ~GlTarget() = default;
    // Makes the target's context current with the back buffer bound.
    virtual bool makeCurrent() = 0;
    virtual bool present() = 0;
    virtual bool readPresented(Frame* frame) = 0;
    // What is drawn so far and not yet presented.
    virtual bool readBack(Frame* frame) = 0;
    virtual const TargetFormat& format() const = 0;
    // New buffers of another size or format (Reset); false when they
    // cannot be made, and the target then has none.
    virtual bool resize(const TargetFormat& format) = 0;
};

// The back buffer a windowed device gets from presentation parameters: the
// window's client size where they give none. D3DERR_INVALIDCALL for what
// the layer does not provide.
HRESULT presentationFormatOf(HWND window, const D3DPRESENT_PARAMETERS& p, TargetFormat* format);

// On the window's surface when it has one, otherwise offscreen through EGL.
// Null when no GL context can be had.
std::unique_ptr<GlTarget> createGlTarget(HWND window, const TargetFormat& format);

}  // namespace d3d9
}  // namespace platform

#endif
