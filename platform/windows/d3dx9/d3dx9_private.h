// What the files of the Windows D3DX share: the ID3DXBuffer object and the
// reference count every object here carries.
#ifndef KELVANE_WINDOWS_D3DX9_PRIVATE_H
#define KELVANE_WINDOWS_D3DX9_PRIVATE_H

#include <d3dx9.h>

#include <cstddef>
#include <vector>

namespace platform {
namespace d3dx9 {

// A block of bytes owned by the buffer, zero-filled.
class Buffer final : public ID3DXBuffer {
public:
    explicit Buffer(size_t size) : bytes_(size, 0) {}
    virtual ~Buffer() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    LPVOID STDMETHODCALLTYPE GetBufferPointer() override { return bytes_.data(); }
    DWORD STDMETHODCALLTYPE GetBufferSize() override { return static_cast<DWORD>(bytes_.size()); }

private:
    ULONG references_ = 1;
    std::vector<unsigned char> bytes_;
};

}  // namespace d3dx9
}  // namespace platform

#endif
