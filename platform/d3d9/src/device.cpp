// IDirect3DDevice9: scene brackets, state setters, clear and present. Drawing
// lives in device_draw.cpp.
#include "device.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "platform/refusal.h"
#include "trace.h"
#include "trace_format.h"

namespace platform {
namespace d3d9 {

namespace {

// A call the layer does not provide fails as Direct3D would and, the first
// time for its kind, says so.
void refuse(const std::string& kind, const std::string& call) {
    reportRefusal("d3d9", kind, call);
}

std::string pointerArgument(const void* pointer, const char* name) {
    return pointer ? name : "NULL";
}

}  // namespace

Device::Device(RefCounted* direct3d, HWND window, std::unique_ptr<GlTarget> target)
    : direct3d_(direct3d), window_(window), target_(std::move(target)) {
    direct3d_->hold();
    pipeline_.setTargetSize(target_->format().width, target_->format().height);
    initGlDefaults();
    setFrameSource(window_, [this](Frame* frame) { return target_->readPresented(frame); });
}

Device::~Device() {
    batch_.clear();  // nothing can present it any more
    setFrameSource(window_, {});
    target_.reset();
    direct3d_->unhold();
}

// Bound resources hold the device and the device holds them: letting go of
// the bindings when the application lets go of the device breaks the cycle.
void Device::onPublicReleased() {
    Texture* texture = pixel_.texture;
    VertexBuffer* stream = stream_;
    pixel_.texture = nullptr;
    stream_ = nullptr;
    pixelStateSet_ = true;
    if (texture) texture->unhold();
    if (stream) stream->unhold();
}

bool Device::makeCurrent() {
    return target_->makeCurrent();
}

HRESULT Device::BeginScene() {
    const HRESULT hr = inScene_ ? D3DERR_INVALIDCALL : D3D_OK;
    inScene_ = true;
    traceCall("BeginScene()", hr);
    return hr;
}

HRESULT Device::EndScene() {
    const HRESULT hr = inScene_ ? D3D_OK : D3DERR_INVALIDCALL;
    inScene_ = false;
    flushBatch();
    traceCall("EndScene()", hr);
    return hr;
}

HRESULT Device::Present(CONST RECT* source, CONST RECT* dest, HWND override,
                        CONST struct _RGNDATA* dirty) {
    if (source || dest || override || dirty) {  // partial or redirected presents: not supported
        const std::string call = "Present(" + pointerArgument(source, "source") + ", " +
                                 pointerArgument(dest, "dest") + ", " +
                                 pointerArgument(override, "window") + ", " +
                                 pointerArgument(dirty, "region") + ")";
        refuse("Present with arguments", call);
        traceCall(call, D3DERR_INVALIDCALL);
        return D3DERR_INVALIDCALL;
    }
    flushBatch();
    const HRESULT hr = target_->present() ? D3D_OK : D3DERR_DEVICELOST;
    traceCall("Present()", hr);
    return hr;
}

namespace {

HRESULT checkClear(DWORD count, CONST D3DRECT* rects, DWORD flags, float z,
                   const TargetFormat& format) {
    if (count != 0 || rects) return D3DERR_INVALIDCALL;  // rectangle lists are not supported
    if (flags == 0 || (flags & ~(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)))
        return D3DERR_INVALIDCALL;
    if (flags & D3DCLEAR_STENCIL) return D3DERR_INVALIDCALL;  // no stencil buffer is made
    if ((flags & D3DCLEAR_ZBUFFER) && (format.depthBits == 0 || !(z >= 0.0f && z <= 1.0f)))
        return D3DERR_INVALIDCALL;
    return D3D_OK;
}

}  // namespace

HRESULT Device::Clear(DWORD count, CONST D3DRECT* rects, DWORD flags, D3DCOLOR colour, float z,
                      DWORD stencil) {
    HRESULT hr = checkClear(count, rects, flags, z, target_->format());
    if (SUCCEEDED(hr)) flushBatch();
    if (SUCCEEDED(hr) && !makeCurrent()) hr = D3DERR_DEVICELOST;
    if (SUCCEEDED(hr)) {
        GLbitfield mask = 0;
        if (flags & D3DCLEAR_TARGET) {
            glClearColor(((colour >> 16) & 0xff) / 255.0f, ((colour >> 8) & 0xff) / 255.0f,
                         (colour & 0xff) / 255.0f, ((colour >> 24) & 0xff) / 255.0f);
            mask |= GL_COLOR_BUFFER_BIT;
        }
        if (flags & D3DCLEAR_ZBUFFER) {
            glClearDepth(z);
            glDepthMask(GL_TRUE);  // Clear ignores D3DRS_ZWRITEENABLE
            glState_.zWrite = true;
            mask |= GL_DEPTH_BUFFER_BIT;
        }
        glClear(mask);
    }
    if (tracing() || FAILED(hr)) {
        const std::string call = "Clear(" + std::to_string(count) + ", " +
                                 (rects ? "rects" : "NULL") + ", " + traceHex(flags) + ", " +
                                 traceColour(colour) + ", " + traceFloat(z) + ", " +
                                 std::to_string(stencil) + ")";
        if (count != 0 || rects) refuse("Clear of rectangles", call);
        if (flags & D3DCLEAR_STENCIL) refuse("Clear of a stencil buffer", call);
        traceCall(call, hr);
    }
    return hr;
}

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE state, CONST D3DMATRIX* matrix) {
    const bool known = state == D3DTS_WORLD || state == D3DTS_VIEW || state == D3DTS_PROJECTION;
    const HRESULT hr = known && matrix ? D3D_OK : D3DERR_INVALIDCALL;
    if (SUCCEEDED(hr)) pipeline_.setTransform(state, *matrix);
    if (!known) refuse("SetTransform(" + traceTransformState(state) + ")",
                       "SetTransform(" + traceTransformState(state) + ", ...)");
    if (tracing())
        traceCall("SetTransform(" + traceTransformState(state) + ", " + traceMatrix(matrix) + ")",
                  hr);
    return hr;
}

HRESULT Device::SetMaterial(CONST D3DMATERIAL9* material) {
    const HRESULT hr = material ? D3D_OK : D3DERR_INVALIDCALL;
    if (material) pipeline_.setMaterial(*material);
    if (tracing()) traceCall("SetMaterial(" + traceMaterial(material) + ")", hr);
    return hr;
}

HRESULT Device::SetLight(DWORD index, CONST D3DLIGHT9* light) {
    const HRESULT hr = light ? pipeline_.setLight(index, *light) : D3DERR_INVALIDCALL;
    if (tracing())
        traceCall("SetLight(" + std::to_string(index) + ", " + traceLight(light) + ")", hr);
    return hr;
}

HRESULT Device::LightEnable(DWORD index, BOOL enable) {
    const HRESULT hr = pipeline_.enableLight(index, enable != FALSE);
    if (tracing())
        traceCall("LightEnable(" + std::to_string(index) + ", " + std::to_string(enable) + ")", hr);
    return hr;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    const HRESULT hr = setRenderStateValue(state, value);
    if (SUCCEEDED(hr)) pixelStateSet_ = true;
    if (tracing() || FAILED(hr)) {
        const std::string arguments = traceRenderState(state, value);
        if (FAILED(hr))
            refuse("SetRenderState(" + arguments.substr(0, arguments.find(',')) + ")",
                   "SetRenderState(" + arguments + ")");
        traceCall("SetRenderState(" + arguments + ")", hr);
    }
    return hr;
}

namespace {

bool isBlend(DWORD v) {
    return v >= D3DBLEND_ZERO && v <= D3DBLEND_INVDESTCOLOR;
}
bool isCompare(DWORD v) {
    return v >= D3DCMP_NEVER && v <= D3DCMP_ALWAYS;
}
bool isBool(DWORD v) {
    return v == TRUE || v == FALSE;
}

}  // namespace

// States outside this list would change the picture in ways the layer does
// not draw, so they are refused rather than stored and ignored.
HRESULT Device::setRenderStateValue(D3DRENDERSTATETYPE state, DWORD value) {
    PixelState& s = pixel_;
    switch (state) {
        case D3DRS_ZWRITEENABLE:
            if (!isBool(value)) return D3DERR_INVALIDCALL;
            s.zWrite = value != 0;
            return D3D_OK;
        case D3DRS_ALPHATESTENABLE:
            if (!isBool(value)) return D3DERR_INVALIDCALL;
            s.alphaTest = value != 0;
            return D3D_OK;
        case D3DRS_ALPHABLENDENABLE:
            if (!isBool(value)) return D3DERR_INVALIDCALL;
            s.alphaBlend = value != 0;
            return D3D_OK;
        case D3DRS_LIGHTING:
            if (!isBool(value)) return D3DERR_INVALIDCALL;
            pipeline_.setLighting(value != 0);
            return D3D_OK;
        case D3DRS_SRCBLEND:
        case D3DRS_DESTBLEND:
            if (!isBlend(value)) return D3DERR_INVALIDCALL;
            (state == D3DRS_SRCBLEND ? s.srcBlend : s.destBlend) = value;
            return D3D_OK;
        case D3DRS_ALPHAREF:
            if (value > 0xff) return D3DERR_INVALIDCALL;
            s.alphaRef = value;
            return D3D_OK;
        case D3DRS_ALPHAFUNC:
            if (!isCompare(value)) return D3DERR_INVALIDCALL;
            s.alphaFunc = value;
            return D3D_OK;
        case D3DRS_AMBIENT:
            pipeline_.setAmbient(value);
            return D3D_OK;
        case D3DRS_DEPTHBIAS: {
            float bias;
            std::memcpy(&bias, &value, sizeof bias);
            if (!std::isfinite(bias)) return D3DERR_INVALIDCALL;
            s.depthBias = value;
            return D3D_OK;
        }
        default:
            return D3DERR_INVALIDCALL;
    }
}

HRESULT Device::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    HRESULT hr = D3DERR_INVALIDCALL;
    const bool filter = value == D3DTEXF_POINT || value == D3DTEXF_LINEAR;
    DWORD* filterState = type == D3DSAMP_MAGFILTER   ? &pixel_.magFilter
                         : type == D3DSAMP_MINFILTER ? &pixel_.minFilter
                                                     : nullptr;
    if (sampler == 0 && filter && filterState) {
        *filterState = value;
        hr = D3D_OK;
    }
    if (SUCCEEDED(hr)) pixelStateSet_ = true;
    if (tracing() || FAILED(hr)) {
        const std::string call = "SetSamplerState(" + std::to_string(sampler) + ", " +
                                 traceSamplerState(type) + ", " + std::to_string(value) + ")";
        if (FAILED(hr)) refuse("SetSamplerState(" + traceSamplerState(type) + ")", call);
        traceCall(call, hr);
    }
    return hr;
}

HRESULT Device::SetTexture(DWORD stage, IDirect3DBaseTexture9* base) {
    Texture* texture = base ? asTexture(base) : nullptr;
    HRESULT hr = D3D_OK;
    if (stage != 0 || (texture && texture->device() != this)) hr = D3DERR_INVALIDCALL;
    if (SUCCEEDED(hr) && texture != pixel_.texture) {
        if (texture) texture->hold();
        if (pixel_.texture) pixel_.texture->unhold();
        pixel_.texture = texture;
        pixelStateSet_ = true;
    }
    if (tracing())
        traceCall("SetTexture(" + std::to_string(stage) + ", " +
                      traceObject("tex", texture ? texture->id() : 0) + ")",
                  hr);
    return hr;
}

HRESULT Device::SetFVF(DWORD fvf) {
    // fvf_ only ever holds a format the layer draws, or 0.
    VertexLayout layout;
    const bool drawn = (fvf != 0 && fvf == fvf_) || vertexLayoutOf(fvf, &layout);
    const HRESULT hr = drawn ? D3D_OK : D3DERR_INVALIDCALL;
    if (SUCCEEDED(hr)) setFvf(fvf);
    if (FAILED(hr)) refuse("SetFVF(" + traceHex(fvf) + ")", "SetFVF(" + traceHex(fvf) + ")");
    if (tracing()) traceCall("SetFVF(" + traceHex(fvf) + ")", hr);
    return hr;
}

HRESULT Device::SetStreamSource(UINT number, IDirect3DVertexBuffer9* data, UINT offset,
                                UINT stride) {
    VertexBuffer* buffer = static_cast<VertexBuffer*>(data);
    const bool ours = !buffer || buffer->device() == this;
    HRESULT hr = number == 0 && ours ? D3D_OK : D3DERR_INVALIDCALL;
    if (SUCCEEDED(hr)) {
        bindStream(buffer, stride, fvf_);
        streamOffset_ = offset;
    }
    if (tracing())
        traceCall("SetStreamSource(" + std::to_string(number) + ", " +
                      traceObject("vb", buffer ? buffer->id() : 0) + ", " + std::to_string(offset) +
                      ", " + std::to_string(stride) + ")",
                  hr);
    return hr;
}

void Device::bindStream(VertexBuffer* buffer, UINT stride, DWORD fvf) {
    if (buffer != stream_) {
        if (buffer) buffer->hold();
        if (stream_) stream_->unhold();
        stream_ = buffer;
    }
    streamOffset_ = 0;
    streamStride_ = stride;
    setFvf(fvf);
}

// Keeps the layout of the format beside it, so draws need not decode it.
void Device::setFvf(DWORD fvf) {
    if (fvf == fvf_) return;
    VertexLayout layout;
    fvf_ = vertexLayoutOf(fvf, &layout) ? fvf : 0;
    layout_ = fvf_ ? layout : VertexLayout();
}

}  // namespace d3d9
}  // namespace platform
