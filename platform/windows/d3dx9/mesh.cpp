// ID3DXMesh on Windows. Implemented: what drawing and inspecting a loaded
// mesh needs (DrawSubset, the counts, FVF, options, device, buffers and their
// locks, the attribute table and buffer). Not implemented, answering
// E_NOTIMPL: cloning, optimising, adjacency, declarations and replacing the
// attribute table.
#include "mesh.h"

#include <cstring>

namespace platform {
namespace d3dx9 {
namespace {

const DWORD kMeshFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

class Mesh final : public ID3DXMesh {
public:
    Mesh(IDirect3DDevice9* device, DWORD options, d3d9::MeshSubsets grouped, DWORD vertexCount)
        : device_(device),
          options_(options),
          grouped_(std::move(grouped)),
          vertexCount_(vertexCount),
          attributeBuffer_(grouped_.attributes.begin(), grouped_.attributes.end()) {
        device_->AddRef();
    }
    virtual ~Mesh();
    HRESULT create(const d3d9::XMeshData& data);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DrawSubset(DWORD attrib_id) override;
    DWORD STDMETHODCALLTYPE GetNumFaces() override {
        return static_cast<DWORD>(grouped_.attributes.size());
    }
    DWORD STDMETHODCALLTYPE GetNumVertices() override { return vertexCount_; }
    DWORD STDMETHODCALLTYPE GetFVF() override { return kMeshFvf; }
    HRESULT STDMETHODCALLTYPE GetDeclaration(D3DVERTEXELEMENT9*) override { return E_NOTIMPL; }
    DWORD STDMETHODCALLTYPE GetNumBytesPerVertex() override { return sizeof(d3d9::XVertex); }
    DWORD STDMETHODCALLTYPE GetOptions() override { return options_; }
    HRESULT STDMETHODCALLTYPE GetDevice(IDirect3DDevice9** device) override;
    HRESULT STDMETHODCALLTYPE CloneMeshFVF(DWORD, DWORD, IDirect3DDevice9*, ID3DXMesh**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE CloneMesh(DWORD, const D3DVERTEXELEMENT9*, IDirect3DDevice9*,
                                        ID3DXMesh**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetVertexBuffer(IDirect3DVertexBuffer9** out) override;
    HRESULT STDMETHODCALLTYPE GetIndexBuffer(IDirect3DIndexBuffer9** out) override;
    HRESULT STDMETHODCALLTYPE LockVertexBuffer(DWORD flags, void** data) override {
        return vertices_->Lock(0, 0, data, flags);
    }
    HRESULT STDMETHODCALLTYPE UnlockVertexBuffer() override { return vertices_->Unlock(); }
    HRESULT STDMETHODCALLTYPE LockIndexBuffer(DWORD flags, void** data) override {
        return indices_->Lock(0, 0, data, flags);
    }
    HRESULT STDMETHODCALLTYPE UnlockIndexBuffer() override { return indices_->Unlock(); }
    HRESULT STDMETHODCALLTYPE GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* size) override;
    HRESULT STDMETHODCALLTYPE ConvertPointRepsToAdjacency(const DWORD*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ConvertAdjacencyToPointReps(const DWORD*, DWORD*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GenerateAdjacency(FLOAT, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UpdateSemantics(D3DVERTEXELEMENT9*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE LockAttributeBuffer(DWORD flags, DWORD** data) override;
    HRESULT STDMETHODCALLTYPE UnlockAttributeBuffer() override { return D3D_OK; }
    HRESULT STDMETHODCALLTYPE Optimize(DWORD, const DWORD*, DWORD*, DWORD*, ID3DXBuffer**,
                                       ID3DXMesh**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE OptimizeInplace(DWORD, const DWORD*, DWORD*, DWORD*,
                                              ID3DXBuffer**) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetAttributeTable(const D3DXATTRIBUTERANGE*, DWORD) override {
        return E_NOTIMPL;
    }

private:
    D3DPOOL pool() const {
        return (options_ & D3DXMESH_SYSTEMMEM) == D3DXMESH_SYSTEMMEM ? D3DPOOL_SYSTEMMEM
                                                                     : D3DPOOL_MANAGED;
    }
    HRESULT fillIndices();

    ULONG references_ = 1;
    IDirect3DDevice9* device_;
    DWORD options_;
    d3d9::MeshSubsets grouped_;
    DWORD vertexCount_;
    std::vector<DWORD> attributeBuffer_;
    IDirect3DVertexBuffer9* vertices_ = nullptr;
    IDirect3DIndexBuffer9* indices_ = nullptr;
};

Mesh::~Mesh() {
    if (indices_) indices_->Release();
    if (vertices_) vertices_->Release();
    device_->Release();
}

HRESULT Mesh::create(const d3d9::XMeshData& data) {
    const UINT length = static_cast<UINT>(data.vertices.size() * sizeof(d3d9::XVertex));
    HRESULT hr = device_->CreateVertexBuffer(length, 0, kMeshFvf, pool(), &vertices_, nullptr);
    if (FAILED(hr)) return hr;
    void* bytes = nullptr;
    if (FAILED(hr = vertices_->Lock(0, 0, &bytes, 0))) return hr;
    std::memcpy(bytes, data.vertices.data(), length);
    vertices_->Unlock();
    return fillIndices();
}

// 16-bit indices unless the mesh asks for 32 or has too many vertices for 16.
HRESULT Mesh::fillIndices() {
    if (vertexCount_ > 0xFFFF) options_ |= D3DXMESH_32BIT;
    const bool wide = (options_ & D3DXMESH_32BIT) != 0;
    const std::vector<uint32_t>& in = grouped_.indices;
    const UINT length = static_cast<UINT>(in.size() * (wide ? 4 : 2));
    HRESULT hr = device_->CreateIndexBuffer(length, 0, wide ? D3DFMT_INDEX32 : D3DFMT_INDEX16,
                                            pool(), &indices_, nullptr);
    if (FAILED(hr)) return hr;
    void* bytes = nullptr;
    if (FAILED(hr = indices_->Lock(0, 0, &bytes, 0))) return hr;
    if (wide) {
        std::memcpy(bytes, in.data(), length);
    } else {
        auto* out = static_cast<uint16_t*>(bytes);
        for (size_t i = 0; i < in.size(); ++i) out[i] = static_cast<uint16_t>(in[i]);
    }
    return indices_->Unlock();
}

HRESULT STDMETHODCALLTYPE Mesh::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualGUID(riid, IID_IUnknown) && !IsEqualGUID(riid, IID_ID3DXBaseMesh) &&
        !IsEqualGUID(riid, IID_ID3DXMesh))
        return E_NOINTERFACE;
    AddRef();
    *out = this;
    return S_OK;
}

ULONG STDMETHODCALLTYPE Mesh::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

// An attribute no face carries draws nothing and succeeds, as in D3DX.
HRESULT STDMETHODCALLTYPE Mesh::DrawSubset(DWORD attrib_id) {
    const d3d9::MeshSubset* s = d3d9::findSubset(grouped_, attrib_id);
    if (!s) return D3D_OK;
    HRESULT hr = device_->SetFVF(kMeshFvf);
    if (SUCCEEDED(hr)) hr = device_->SetStreamSource(0, vertices_, 0, sizeof(d3d9::XVertex));
    if (SUCCEEDED(hr)) hr = device_->SetIndices(indices_);
    if (FAILED(hr)) return hr;
    return device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, s->vertexStart, s->vertexCount,
                                         s->faceStart * 3, s->faceCount);
}

HRESULT STDMETHODCALLTYPE Mesh::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_;
    return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Mesh::GetVertexBuffer(IDirect3DVertexBuffer9** out) {
    if (!out) return D3DERR_INVALIDCALL;
    vertices_->AddRef();
    *out = vertices_;
    return D3D_OK;
}

HRESULT STDMETHODCALLTYPE Mesh::GetIndexBuffer(IDirect3DIndexBuffer9** out) {
    if (!out) return D3DERR_INVALIDCALL;
    indices_->AddRef();
    *out = indices_;
    return D3D_OK;
}

// With a null table only the size is answered, as in D3DX.
HRESULT STDMETHODCALLTYPE Mesh::GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* size) {
    if (!size) return D3DERR_INVALIDCALL;
    const DWORD count = static_cast<DWORD>(grouped_.subsets.size());
    if (table) {
        if (*size < count) return D3DERR_INVALIDCALL;
        for (DWORD i = 0; i < count; ++i) {
            const d3d9::MeshSubset& s = grouped_.subsets[i];
            table[i] = {s.attribute, s.faceStart, s.faceCount, s.vertexStart, s.vertexCount};
        }
    }
    *size = count;
    return D3D_OK;
}

// Writing through the lock would break the grouping the draws rely on, so
// only reading is offered.
HRESULT STDMETHODCALLTYPE Mesh::LockAttributeBuffer(DWORD flags, DWORD** data) {
    if (!data) return D3DERR_INVALIDCALL;
    if (!(flags & D3DLOCK_READONLY)) return E_NOTIMPL;
    *data = attributeBuffer_.data();
    return D3D_OK;
}

}  // namespace

ID3DXMesh* createMesh(IDirect3DDevice9* device, DWORD options, const d3d9::XMeshData& data,
                      HRESULT* hr) {
    Mesh* mesh = new Mesh(device, options, d3d9::groupFacesByAttribute(data),
                          static_cast<DWORD>(data.vertices.size()));
    *hr = mesh->create(data);
    if (SUCCEEDED(*hr)) return mesh;
    mesh->Release();
    return nullptr;
}

}  // namespace d3dx9
}  // namespace platform
