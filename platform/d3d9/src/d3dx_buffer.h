// ID3DXBuffer: a block of bytes owned by the buffer.
#ifndef KELVANE_D3D9_D3DX_BUFFER_H
#define KELVANE_D3D9_D3DX_BUFFER_H

#include <d3dx9.h>

#include <vector>

#include "object.h"

namespace platform {
namespace d3d9 {

class Buffer final : public ID3DXBuffer, public RefCounted {
public:
    explicit Buffer(size_t size) : bytes_(size, 0) {}
    ULONG AddRef() override { return addPublic(); }
    ULONG Release() override { return releasePublic(); }
    LPVOID GetBufferPointer() override { return bytes_.data(); }
    DWORD GetBufferSize() override { return static_cast<DWORD>(bytes_.size()); }

private:
    std::vector<unsigned char> bytes_;
};

}  // namespace d3d9
}  // namespace platform

#endif
