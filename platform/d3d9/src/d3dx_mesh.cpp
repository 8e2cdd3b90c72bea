// ID3DXMesh and D3DXLoadMeshFromXA. A mesh keeps its vertices in a vertex
// buffer of its device and its faces sorted by attribute, one range per
// subset, so DrawSubset is one indexed draw.
#include <d3dx9.h>

#include <algorithm>
#include <cstring>
#include <numeric>

#include "d3dx_buffer.h"
#include "d3dx_mesh.h"
#include "device.h"
#include "material_block.h"
#include "file_bytes.h"
#include "platform/d3d9_inspect.h"
#include "trace.h"
#include "trace_format.h"
#include "xfile_load.h"

namespace platform {
namespace d3d9 {

namespace {

const DWORD kMeshFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
int nextMeshId = 0;

// Faces of one attribute: indices relative to the subset's lowest vertex.
struct Subset {
    DWORD attribute;
    UINT firstVertex;
    UINT vertexCount;
    std::vector<uint32_t> indices;
};

class Mesh final : public ID3DXMesh, public RefCounted {
public:
    Mesh(Device* device, XMeshData data);
    ~Mesh() override;
    ULONG AddRef() override { return addPublic(); }
    ULONG Release() override;
    HRESULT DrawSubset(DWORD attribute) override;
    DWORD GetNumVertices() override { return static_cast<DWORD>(data_.vertices.size()); }
    DWORD GetNumBytesPerVertex() override { return sizeof(XVertex); }
    HRESULT LockVertexBuffer(DWORD flags, LPVOID* data) override;
    HRESULT UnlockVertexBuffer() override;

    const XMeshData& data() const { return data_; }
    int id() const { return id_; }

private:
    Device* device_;
    VertexBuffer* vertices_;
    XMeshData data_;
    std::vector<Subset> subsets_;
    int id_;
};

std::vector<Subset> subsetsOf(const XMeshData& data) {
    std::vector<Subset> subsets;
    std::vector<size_t> order(data.attributes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return data.attributes[a] < data.attributes[b]; });
    for (size_t k = 0; k < order.size();) {
        Subset s{data.attributes[order[k]], UINT32_MAX, 0, {}};
        size_t end = k;
        uint32_t high = 0;
        for (; end < order.size() && data.attributes[order[end]] == s.attribute; ++end)
            for (int c = 0; c < 3; ++c) {
                const uint32_t index = data.indices[order[end] * 3 + c];
                s.firstVertex = std::min<UINT>(s.firstVertex, index);
                high = std::max(high, index);
            }
        s.vertexCount = high - s.firstVertex + 1;
        for (size_t f = k; f < end; ++f)
            for (int c = 0; c < 3; ++c)
                s.indices.push_back(data.indices[order[f] * 3 + c] - s.firstVertex);
        subsets.push_back(std::move(s));
        k = end;
    }
    return subsets;
}

Mesh::Mesh(Device* device, XMeshData data)
    : device_(device), data_(std::move(data)), id_(++nextMeshId) {
    device_->hold();
    const UINT length = static_cast<UINT>(data_.vertices.size() * sizeof(XVertex));
    vertices_ = new VertexBuffer(device_, length, kMeshFvf);
    vertices_->fill(data_.vertices.data(), length);
    subsets_ = subsetsOf(data_);
}

Mesh::~Mesh() {
    vertices_->releasePublic();
    device_->unhold();
}

ULONG Mesh::Release() {
    if (tracing()) traceLine(traceObject("mesh", id_) + ".Release()");
    return releasePublic();
}

// An attribute no face carries draws nothing and succeeds, as in D3DX. The
// subsets are sorted by attribute, so the one asked for is found by bisection:
// drawing every subset of a mesh stays linear in their number.
HRESULT Mesh::DrawSubset(DWORD attribute) {
    HRESULT hr = D3D_OK;
    auto found = std::lower_bound(
        subsets_.begin(), subsets_.end(), attribute,
        [](const Subset& s, DWORD wanted) { return s.attribute < wanted; });
    if (found != subsets_.end() && found->attribute == attribute) {
        device_->bindStream(vertices_, sizeof(XVertex), kMeshFvf);
        hr = device_->drawIndexedTriangles(found->firstVertex, found->vertexCount,
                                           found->indices.data(),
                                           static_cast<UINT>(found->indices.size() / 3));
    }
    if (tracing())
        traceCall(traceObject("mesh", id_) + ".DrawSubset(" + std::to_string(attribute) + ")", hr);
    return hr;
}

HRESULT Mesh::LockVertexBuffer(DWORD flags, LPVOID* data) {
    if (!data) return D3DERR_INVALIDCALL;
    *data = nullptr;
    if (!(flags & D3DLOCK_READONLY)) return D3DERR_INVALIDCALL;
    *data = data_.vertices.data();
    return D3D_OK;
}

HRESULT Mesh::UnlockVertexBuffer() {
    return D3D_OK;
}

// The material list as D3DX lays it out, in a buffer of the layer's.
Buffer* materialBuffer(const std::vector<XMaterial>& materials) {
    Buffer* buffer = new Buffer(materialBlockSize(materials));
    writeMaterialBlock(materials, buffer->GetBufferPointer());
    return buffer;
}

}  // namespace

const XMeshData& meshDataOf(ID3DXBaseMesh* mesh) {
    // Every mesh the layer hands out is a Mesh.
    return static_cast<Mesh*>(static_cast<ID3DXMesh*>(mesh))->data();
}

bool readMesh(ID3DXMesh* mesh, MeshContents* contents) {
    if (!mesh) return false;
    const XMeshData& data = static_cast<Mesh*>(mesh)->data();
    contents->vertices.clear();
    for (const XVertex& v : data.vertices) {
        MeshVertex out;
        std::memcpy(&out, &v, sizeof out);
        contents->vertices.push_back(out);
    }
    contents->indices = data.indices;
    contents->attributes = data.attributes;
    return true;
}

}  // namespace d3d9
}  // namespace platform

HRESULT WINAPI D3DXLoadMeshFromXA(LPCSTR pFilename, DWORD Options, LPDIRECT3DDEVICE9 pD3DDevice,
                                  LPD3DXBUFFER* ppAdjacency, LPD3DXBUFFER* ppMaterials,
                                  LPD3DXBUFFER* ppEffectInstances, DWORD* pNumMaterials,
                                  LPD3DXMESH* ppMesh) {
    using namespace platform::d3d9;
    if (ppMaterials) *ppMaterials = nullptr;
    if (ppMesh) *ppMesh = nullptr;
    if (pNumMaterials) *pNumMaterials = 0;
    const DWORD known = D3DXMESH_32BIT | D3DXMESH_SYSTEMMEM | D3DXMESH_MANAGED;
    if (!pFilename || !pD3DDevice || !ppMesh || ppAdjacency || ppEffectInstances ||
        (Options & ~known))
        return D3DERR_INVALIDCALL;
    const size_t kMaxFile = 64u << 20;
    std::vector<uint8_t> bytes;
    XMeshData data;
    if (!readWholeFile(pFilename, kMaxFile, &bytes)) return E_FAIL;
    if (loadXFile(bytes.data(), bytes.size(), &data) != nullptr) return E_FAIL;
    Device* device = static_cast<Device*>(pD3DDevice);
    if (ppMaterials) *ppMaterials = materialBuffer(data.materials);
    if (pNumMaterials) *pNumMaterials = static_cast<DWORD>(data.materials.size());
    Mesh* mesh = new Mesh(device, std::move(data));
    if (tracing())
        traceLine(std::string("D3DXLoadMeshFromXA(\"") + pFilename +
                  "\") = " + traceObject("mesh", mesh->id()));
    *ppMesh = mesh;
    return D3D_OK;
}
