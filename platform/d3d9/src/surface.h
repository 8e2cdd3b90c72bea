// The device's back buffer as a surface object: what GetBackBuffer hands out
// so D3DXSaveSurfaceToFileA can write the picture drawn so far.
#ifndef KELVANE_D3D9_SURFACE_H
#define KELVANE_D3D9_SURFACE_H

#include <d3d9.h>

#include "object.h"
#include "platform/window_surface.h"

namespace platform {
namespace d3d9 {

class Device;

class BackBufferSurface final : public IDirect3DSurface9, public RefCounted {
public:
    explicit BackBufferSurface(Device* device);
    ~BackBufferSurface() override;

    ULONG AddRef() override { return addPublic(); }
    ULONG Release() override { return releasePublic(); }

    bool read(Frame* frame, bool* hasAlpha);

private:
    Device* device_;
};

}  // namespace d3d9
}  // namespace platform

#endif
