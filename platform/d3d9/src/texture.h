// A texture: a GL texture plus the RGBA pixels it was made from.
#ifndef KELVANE_D3D9_TEXTURE_H
#define KELVANE_D3D9_TEXTURE_H

#include <d3d9.h>

#include <cstdint>
#include <vector>

#include "object.h"

namespace platform {
namespace d3d9 {

class Device;

class Texture final : public IDirect3DTexture9, public RefCounted {
public:
    // Largest side, the MaxTextureWidth and MaxTextureHeight a Direct3D 9
    // device of this class reports.
    static const int kMaxSide = 8192;

    // rgba: width * height texels, rows top-down; format A8R8G8B8 or
    // X8R8G8B8 (then every alpha is 255). Needs the device's context current.
    Texture(Device* device, int width, int height, D3DFORMAT format, std::vector<uint8_t> rgba);
    ~Texture() override;

    ULONG AddRef() override { return addPublic(); }
    ULONG Release() override;
    // The chain D3DX makes: each side halved down to 1 x 1.
    DWORD GetLevelCount() override;
    HRESULT GetLevelDesc(UINT Level, D3DSURFACE_DESC* pDesc) override;

    void bind();
    // Sets the bound texture's GL filters where they differ from the last ones set.
    void setFilters(int magFilter, int minFilter);
    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<uint8_t>& rgba() const { return rgba_; }
    int id() const { return id_; }
    Device* device() const { return device_; }

private:
    Device* device_;
    int width_, height_;
    D3DFORMAT format_;
    std::vector<uint8_t> rgba_;
    unsigned glName_ = 0;
    int magFilter_ = -1, minFilter_ = -1;
    int id_;
};

// Base type of everything SetTexture may receive: only our textures exist.
inline Texture* asTexture(IDirect3DBaseTexture9* texture) {
    return static_cast<Texture*>(static_cast<IDirect3DTexture9*>(texture));
}

}  // namespace d3d9
}  // namespace platform

#endif
