// The device: Direct3D 9's fixed-function state kept as Direct3D defines it,
// with vertices transformed and lit in software (the device is created for
// software vertex processing) and rasterised by OpenGL's fixed pipeline.
// Only GL state that differs from what GL was last told is issued.
#ifndef KELVANE_D3D9_DEVICE_H
#define KELVANE_D3D9_DEVICE_H

#include <d3d9.h>

#include <map>
#include <memory>
#include <vector>

#include "gl_target.h"
#include "object.h"
#include "texture.h"
#include "vertex_buffer.h"
#include "vertex_pipeline.h"

namespace platform {
namespace d3d9 {

// Direct3D's state of what a draw does per fragment (render states, texture
// stage 0 and its filters), with Direct3D's defaults. The device keeps the
// current one; lighting and the ambient colour live in the vertex pipeline.
// Draws whose state is equal are drawn as one batch: their vertices are
// already transformed and lit, so matrices, materials and lights may change
// freely in between.
struct PixelState {
    bool alphaBlend = false;
    DWORD srcBlend = D3DBLEND_ONE, destBlend = D3DBLEND_ZERO;
    bool alphaTest = false;
    DWORD alphaFunc = D3DCMP_ALWAYS, alphaRef = 0;
    bool zWrite = true;
    DWORD depthBias = 0;  // a float's bits
    Texture* texture = nullptr;
    DWORD magFilter = D3DTEXF_POINT, minFilter = D3DTEXF_POINT;
    bool operator==(const PixelState& o) const {
        return alphaBlend == o.alphaBlend && srcBlend == o.srcBlend && destBlend == o.destBlend &&
               alphaTest == o.alphaTest && alphaFunc == o.alphaFunc && alphaRef == o.alphaRef &&
               zWrite == o.zWrite && depthBias == o.depthBias && texture == o.texture &&
               magFilter == o.magFilter && minFilter == o.minFilter;
    }
};

// Transformed vertices waiting to be drawn as indexed GL triangles or lines.
// Each draw's vertices are transformed once, straight into the batch; fans
// and index lists only add indices. Both arrays keep their storage.
struct Batch {
    unsigned glMode = 0;
    PixelState state;
    TransformedVertices vertices;
    std::vector<uint32_t> indices;
    size_t count() const { return vertices.count; }
    void clear() {
        vertices.clear();
        indices.clear();
    }
};

class Device final : public IDirect3DDevice9, public RefCounted {
public:
    Device(RefCounted* direct3d, HWND window, std::unique_ptr<GlTarget> target);
    ~Device() override;

    ULONG AddRef() override { return addPublic(); }
    ULONG Release() override { return releasePublic(); }
    HRESULT Present(CONST RECT*, CONST RECT*, HWND, CONST struct _RGNDATA*) override;
    HRESULT Reset(D3DPRESENT_PARAMETERS*) override;
    HRESULT CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer9**,
                               HANDLE*) override;
    HRESULT GetBackBuffer(UINT, UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface9**) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD, CONST D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE, CONST D3DMATRIX*) override;
    HRESULT SetMaterial(CONST D3DMATERIAL9*) override;
    HRESULT SetLight(DWORD, CONST D3DLIGHT9*) override;
    HRESULT LightEnable(DWORD, BOOL) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override;
    HRESULT SetTexture(DWORD, IDirect3DBaseTexture9*) override;
    HRESULT SetSamplerState(DWORD, D3DSAMPLERSTATETYPE, DWORD) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE, UINT, UINT) override;
    HRESULT SetFVF(DWORD) override;
    HRESULT SetStreamSource(UINT, IDirect3DVertexBuffer9*, UINT, UINT) override;

    // D3DPOOL_DEFAULT buffers the application holds keep Reset from running.
    void defaultPoolBufferReleased() { --defaultPoolBuffers_; }

    // For the layer's own objects (meshes, textures).
    bool makeCurrent();
    // Draws what is batched; needed before anything the batch refers to goes.
    void flushBatch();
    // The back buffer as drawn so far (batched draws included), and whether
    // its format keeps alpha.
    bool readBackBuffer(Frame* frame, bool* hasAlpha);
    // A texture was bound or deleted behind the state cache's back.
    void forgetBoundTexture() { glState_.texture = nullptr; }
    // Binds a mesh's vertices as stream 0 with their format, as D3DX does.
    void bindStream(VertexBuffer* buffer, UINT stride, DWORD fvf);
    // Draws indexed triangles from stream 0; indices are 32-bit, relative to
    // vertex firstVertex, and must lie below firstVertex + vertexCount.
    HRESULT drawIndexedTriangles(UINT firstVertex, UINT vertexCount, const uint32_t* indices,
                                 UINT triangleCount);

private:
    void onPublicReleased() override;
    HRESULT setRenderStateValue(D3DRENDERSTATETYPE state, DWORD value);
    HRESULT checkDraw(UINT firstVertex, UINT vertexCount) const;
    HRESULT submit(unsigned glMode, UINT firstVertex, UINT vertexCount, const uint32_t* indices,
                   UINT indexCount);
    void startBatch(unsigned glMode);
    void appendIndices(unsigned glMode, size_t base, UINT vertexCount, const uint32_t* indices,
                       UINT indexCount);
    void setFvf(DWORD fvf);
    void applyGlState(const PixelState& s);
    void applyGlTexture(const PixelState& s);
    void initGlDefaults();

    RefCounted* direct3d_;
    HWND window_;
    std::unique_ptr<GlTarget> target_;
    bool inScene_ = false;
    PixelState pixel_;
    // Something in pixel_ was set since the batch took its state.
    bool pixelStateSet_ = true;
    VertexBuffer* stream_ = nullptr;
    UINT streamOffset_ = 0, streamStride_ = 0;
    DWORD fvf_ = 0;
    VertexLayout layout_;  // of fvf_, which is always one the layer draws or 0
    VertexPipeline pipeline_;
    Batch batch_;
    // What GL was last told, in Direct3D's terms, so draws change only what
    // differs; glState_.texture is the texture bound, null when unknown.
    PixelState glState_;
    bool glTextured_ = false;
    bool glStateKnown_ = false;
    int defaultPoolBuffers_ = 0;
};

}  // namespace d3d9
}  // namespace platform

#endif
