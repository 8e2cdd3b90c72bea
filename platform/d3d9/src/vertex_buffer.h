// A vertex buffer, kept in system memory because the device transforms and
// lights vertices itself.
#ifndef KELVANE_D3D9_VERTEX_BUFFER_H
#define KELVANE_D3D9_VERTEX_BUFFER_H

#include <d3d9.h>

#include <cstdint>
#include <vector>

#include "object.h"

namespace platform {
namespace d3d9 {

class Device;

class VertexBuffer final : public IDirect3DVertexBuffer9, public RefCounted {
public:
    // Largest buffer the layer will allocate; more fails as out of memory.
    static const UINT kMaxLength = 64u << 20;

    VertexBuffer(Device* device, UINT length, DWORD fvf, bool defaultPool = false);
    ~VertexBuffer() override;

    ULONG AddRef() override { return addPublic(); }
    ULONG Release() override;
    HRESULT Lock(UINT OffsetToLock, UINT SizeToLock, void** ppbData, DWORD Flags) override;
    HRESULT Unlock() override;

    // The layer's own writes (a mesh's vertices), which the trace does not show.
    void fill(const void* bytes, size_t size);
    const uint8_t* bytes() const { return data_.data(); }
    UINT length() const { return static_cast<UINT>(data_.size()); }
    int id() const { return id_; }
    Device* device() const { return device_; }

private:
    Device* device_;
    std::vector<uint8_t> data_;
    int locks_ = 0;
    int id_;
    bool defaultPool_;
};

}  // namespace d3d9
}  // namespace platform

#endif
