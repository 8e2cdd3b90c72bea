// Drawing: vertices go through the software vertex pipeline and are handed
// to OpenGL as clip-space client arrays, like draws batched into one indexed
// draw and draws wholly outside the view dropped; the rest of Direct3D's
// fixed state (blending, alpha test, z-write, depth bias, texture stage 0)
// maps onto GL state, issued only where it changed since the last draw.
#include "device.h"

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstring>

#include "trace.h"
#include "trace_format.h"

namespace platform {
namespace d3d9 {
namespace {

GLenum glBlendFactor(DWORD blend) {
    switch (blend) {
        case D3DBLEND_ZERO:
            return GL_ZERO;
        case D3DBLEND_ONE:
            return GL_ONE;
        case D3DBLEND_SRCCOLOR:
            return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR:
            return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA:
            return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA:
            return GL_ONE_MINUS_SRC_ALPHA;
        case D3DBLEND_DESTALPHA:
            return GL_DST_ALPHA;
        case D3DBLEND_INVDESTALPHA:
            return GL_ONE_MINUS_DST_ALPHA;
        case D3DBLEND_DESTCOLOR:
            return GL_DST_COLOR;
        default:
            return GL_ONE_MINUS_DST_COLOR;
    }
}

GLenum glCompare(DWORD func) {
    static const GLenum kFuncs[] = {GL_NEVER,   GL_LESS,     GL_EQUAL,  GL_LEQUAL,
                                    GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return kFuncs[func - D3DCMP_NEVER];
}

// Direct3D biases the stored depth by the value itself; GL by units of the
// smallest resolvable depth step.
float polygonOffsetUnits(DWORD biasBits, int depthBits) {
    float bias;
    std::memcpy(&bias, &biasBits, sizeof bias);
    if (depthBits <= 0) return 0;
    return bias * static_cast<float>((1u << depthBits) - 1u);
}

template <typename T>
bool changed(T* applied, T wanted, bool valid) {
    if (valid && *applied == wanted) return false;
    *applied = wanted;
    return true;
}

}  // namespace

// GL state that never changes: Direct3D's clockwise front faces with
// counter-clockwise ones culled, its less-or-equal depth test, and a texture
// stage that modulates colour but takes alpha from the texture alone.
void Device::initGlDefaults() {
    if (!makeCurrent()) return;
    const TargetFormat& f = target_->format();
    glViewport(0, 0, f.width, f.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    if (f.depthBits > 0) glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_PRIMARY_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_TEXTURE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

// Issues the GL state of s where it differs from what GL was last told.
void Device::applyGlState(const PixelState& s) {
    const bool known = glStateKnown_;
    PixelState& gl = glState_;
    if (changed(&gl.alphaBlend, s.alphaBlend, known))
        (s.alphaBlend ? glEnable : glDisable)(GL_BLEND);
    const bool srcChanged = changed(&gl.srcBlend, s.srcBlend, known);
    if (changed(&gl.destBlend, s.destBlend, known) || srcChanged)
        glBlendFunc(glBlendFactor(s.srcBlend), glBlendFactor(s.destBlend));
    if (changed(&gl.alphaTest, s.alphaTest, known))
        (s.alphaTest ? glEnable : glDisable)(GL_ALPHA_TEST);
    const bool funcChanged = changed(&gl.alphaFunc, s.alphaFunc, known);
    if (changed(&gl.alphaRef, s.alphaRef, known) || funcChanged)
        glAlphaFunc(glCompare(s.alphaFunc), s.alphaRef / 255.0f);
    if (changed(&gl.zWrite, s.zWrite, known)) glDepthMask(s.zWrite ? GL_TRUE : GL_FALSE);
    if (changed(&gl.depthBias, s.depthBias, known)) {
        const float units = polygonOffsetUnits(s.depthBias, target_->format().depthBits);
        // GL_POLYGON_OFFSET_FILL offsets filled triangles only, never lines.
        (units != 0 ? glEnable : glDisable)(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(0, units);
    }
    applyGlTexture(s);
    glStateKnown_ = true;
}

// GL_TEXTURE_2D is on while a texture is set; glState_.texture is the one
// bound, which stays bound while texturing is off.
void Device::applyGlTexture(const PixelState& s) {
    Texture* texture = s.texture;
    if (changed(&glTextured_, texture != nullptr, glStateKnown_))
        (texture ? glEnable : glDisable)(GL_TEXTURE_2D);
    if (!texture) return;
    if (glState_.texture != texture) texture->bind();
    glState_.texture = texture;
    texture->setFilters(s.magFilter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST,
                        s.minFilter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
}

void Device::flushBatch() {
    if (batch_.indices.empty()) {
        batch_.clear();  // vertices of draws that made no primitive
        return;
    }
    if (!makeCurrent()) return;
    applyGlState(batch_.state);
    glVertexPointer(4, GL_FLOAT, 0, batch_.vertices.clip.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, batch_.vertices.colour.data());
    glTexCoordPointer(2, GL_FLOAT, 0, batch_.vertices.texCoord.data());
    glDrawElements(batch_.glMode, static_cast<GLsizei>(batch_.indices.size()), GL_UNSIGNED_INT,
                   batch_.indices.data());
    batch_.clear();
}

namespace {

// A long run of like draws goes to GL in parts this big, each flushed, so the
// rasteriser works on one part while the next is transformed.
const size_t kMaxBatchVertices = 1u << 13;

}  // namespace

// A draw joins the batch when it shares its primitive kind and pixel state;
// anything else draws what is batched first. Fans and indexed triangles join
// as plain triangles, lines as lines.
void Device::startBatch(unsigned glMode) {
    const unsigned batchMode = glMode == GL_LINES ? GL_LINES : GL_TRIANGLES;
    if (batch_.count() > kMaxBatchVertices) {
        flushBatch();
        glFlush();
    }
    const bool joining = batch_.count() > 0 && batch_.glMode == batchMode;
    if (joining && !pixelStateSet_) return;
    const PixelState& state = pixel_;
    if (batch_.count() > 0 && !(joining && batch_.state == state)) flushBatch();
    batch_.glMode = batchMode;
    batch_.state = state;
    pixelStateSet_ = false;
}

// Indices of a draw whose vertexCount vertices were batched from base on.
void Device::appendIndices(unsigned glMode, size_t base, UINT vertexCount, const uint32_t* indices,
                           UINT indexCount) {
    std::vector<uint32_t>& out = batch_.indices;
    const uint32_t first = static_cast<uint32_t>(base);
    if (indices) {
        for (UINT i = 0; i < indexCount; ++i) out.push_back(first + indices[i]);
    } else if (glMode == GL_TRIANGLE_FAN) {
        for (uint32_t k = 1; k + 1 < vertexCount; ++k) {
            out.push_back(first);
            out.push_back(first + k);
            out.push_back(first + k + 1);
        }
    } else {
        for (uint32_t i = 0; i < vertexCount; ++i) out.push_back(first + i);
    }
}

// The stream must hold every vertex the draw reads, in a format the layer draws.
HRESULT Device::checkDraw(UINT firstVertex, UINT vertexCount) const {
    if (!inScene_ || !stream_ || fvf_ == 0) return D3DERR_INVALIDCALL;
    if (streamStride_ < layout_.size) return D3DERR_INVALIDCALL;
    const uint64_t end =
        streamOffset_ + (static_cast<uint64_t>(firstVertex) + vertexCount) * streamStride_;
    const uint64_t last = end - streamStride_ + layout_.size;
    if (vertexCount == 0 || last > stream_->length()) return D3DERR_INVALIDCALL;
    return D3D_OK;
}

HRESULT Device::submit(unsigned glMode, UINT firstVertex, UINT vertexCount, const uint32_t* indices,
                       UINT indexCount) {
    startBatch(glMode);
    const size_t base = batch_.count();
    const uint8_t* first =
        stream_->bytes() + streamOffset_ + static_cast<size_t>(firstVertex) * streamStride_;
    if (pipeline_.process(first, streamStride_, layout_, vertexCount, &batch_.vertices))
        appendIndices(glMode, base, vertexCount, indices, indexCount);
    return D3D_OK;
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) {
    HRESULT hr = D3DERR_INVALIDCALL;
    // Only the primitive kinds the programs draw; others are refused.
    const bool fan = type == D3DPT_TRIANGLEFAN, lines = type == D3DPT_LINELIST,
               list = type == D3DPT_TRIANGLELIST;
    if ((fan || lines || list) && primitiveCount > 0 && primitiveCount <= (1u << 24)) {
        const UINT count = fan     ? primitiveCount + 2
                           : lines ? primitiveCount * 2
                                   : primitiveCount * 3;
        hr = checkDraw(startVertex, count);
        if (SUCCEEDED(hr))
            hr = submit(fan     ? GL_TRIANGLE_FAN
                        : lines ? GL_LINES
                                : GL_TRIANGLES,
                        startVertex, count, nullptr, 0);
    }
    if (tracing())
        traceCall("DrawPrimitive(" + tracePrimitive(type) + ", " + std::to_string(startVertex) +
                      ", " + std::to_string(primitiveCount) + ")",
                  hr);
    return hr;
}

HRESULT Device::drawIndexedTriangles(UINT firstVertex, UINT vertexCount, const uint32_t* indices,
                                     UINT triangleCount) {
    const HRESULT hr = checkDraw(firstVertex, vertexCount);
    if (FAILED(hr)) return hr;
    for (UINT i = 0; i < triangleCount * 3; ++i)
        if (indices[i] >= vertexCount) return D3DERR_INVALIDCALL;
    return submit(GL_TRIANGLES, firstVertex, vertexCount, indices, triangleCount * 3);
}

}  // namespace d3d9
}  // namespace platform
