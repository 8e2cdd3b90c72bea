// Vertex buffers: bytes in system memory, which the software vertex pipeline
// reads directly.
#include "device.h"
#include "trace.h"
#include "trace_format.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform {
namespace d3d9 {
namespace {
int nextVertexBufferId = 0;
}

VertexBuffer::VertexBuffer(Device* device, UINT length, DWORD, bool defaultPool)
    : device_(device), data_(length, 0), id_(++nextVertexBufferId), defaultPool_(defaultPool) {
    device_->hold();
}

VertexBuffer::~VertexBuffer() {
    device_->unhold();
}

ULONG VertexBuffer::Release() {
    if (tracing()) traceLine(traceObject("vb", id_) + ".Release()");
    // Counted off before the release, which may free this buffer.
    if (defaultPool_ && publicCount() == 1) device_->defaultPoolBufferReleased();
    return releasePublic();
}

HRESULT VertexBuffer::Lock(UINT offset, UINT size, void** data, DWORD flags) {
    HRESULT hr = D3DERR_INVALIDCALL;
    const UINT length = static_cast<UINT>(data_.size());
    if (data) *data = nullptr;
    // Size 0 locks the rest of the buffer, as in Direct3D.
    const UINT span = size == 0 && offset < length ? length - offset : size;
    const bool known = (flags & ~(D3DLOCK_DISCARD | D3DLOCK_NOOVERWRITE | D3DLOCK_READONLY)) == 0;
    if (data && known && offset < length && span <= length - offset) {
        *data = data_.data() + offset;
        ++locks_;
        hr = D3D_OK;
    }
    if (tracing())
        traceCall(traceObject("vb", id_) + ".Lock(" + std::to_string(offset) + ", " +
                      std::to_string(size) + ", " + traceHex(flags) + ")",
                  hr);
    return hr;
}

void VertexBuffer::fill(const void* bytes, size_t size) {
    std::memcpy(data_.data(), bytes, std::min(size, data_.size()));
}

HRESULT VertexBuffer::Unlock() {
    const HRESULT hr = locks_ > 0 ? D3D_OK : D3DERR_INVALIDCALL;
    if (locks_ > 0) --locks_;
    if (tracing()) traceCall(traceObject("vb", id_) + ".Unlock()", hr);
    return hr;
}

namespace {

HRESULT checkVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, HANDLE* shared) {
    if (shared || (usage & ~(D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC))) return D3DERR_INVALIDCALL;
    if (pool != D3DPOOL_DEFAULT && pool != D3DPOOL_MANAGED && pool != D3DPOOL_SYSTEMMEM)
        return D3DERR_INVALIDCALL;
    VertexLayout layout;
    if (fvf != 0 && !vertexLayoutOf(fvf, &layout)) return D3DERR_INVALIDCALL;
    if (length == 0 || (fvf != 0 && length < layout.size)) return D3DERR_INVALIDCALL;
    if (length > VertexBuffer::kMaxLength) return D3DERR_OUTOFVIDEOMEMORY;
    return D3D_OK;
}

}  // namespace

HRESULT Device::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                   IDirect3DVertexBuffer9** out, HANDLE* shared) {
    HRESULT hr = out ? checkVertexBuffer(length, usage, fvf, pool, shared) : D3DERR_INVALIDCALL;
    VertexBuffer* buffer = nullptr;
    if (SUCCEEDED(hr)) {
        buffer = new (std::nothrow) VertexBuffer(this, length, fvf, pool == D3DPOOL_DEFAULT);
        if (!buffer) hr = E_OUTOFMEMORY;
        else if (pool == D3DPOOL_DEFAULT) ++defaultPoolBuffers_;
    }
    if (out) *out = buffer;
    if (tracing())
        traceCall("CreateVertexBuffer(" + std::to_string(length) + ", " + traceHex(usage) + ", " +
                      traceHex(fvf) + ", " + tracePool(pool) +
                      ") = " + traceObject("vb", buffer ? buffer->id() : 0),
                  hr);
    return hr;
}

}  // namespace d3d9
}  // namespace platform
