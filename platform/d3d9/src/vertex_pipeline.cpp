// Software transform and lighting with Direct3D 9's fixed-function rules.
#include "vertex_pipeline.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace platform {
namespace d3d9 {
namespace {

const DWORD kPositionMask = 0x400E;
const DWORD kDrawnBits =
    kPositionMask | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEXCOUNT_MASK;
const int kMaxActiveLights = 8;

D3DMATRIX identity() {
    D3DMATRIX m;
    for (int i = 0; i < 16; ++i) m.m[i / 4][i % 4] = (i % 5 == 0) ? 1.0f : 0.0f;
    return m;
}

D3DMATRIX multiply(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX out;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a.m[r][k] * b.m[k][c];
            out.m[r][c] = sum;
        }
    return out;
}

// Row vector (x, y, z, 1) times m.
void transformPoint(const float* p, const D3DMATRIX& m, float* out, int components) {
    for (int c = 0; c < components; ++c)
        out[c] = p[0] * m.m[0][c] + p[1] * m.m[1][c] + p[2] * m.m[2][c] + m.m[3][c];
}

// Inverse transpose of the upper 3x3, the matrix normals are carried by; a
// singular matrix gives zero normals rather than infinities.
void normalMatrixOf(const D3DMATRIX& m, float out[3][3]) {
    const float a = m._11, b = m._12, c = m._13, d = m._21, e = m._22, f = m._23, g = m._31,
                h = m._32, i = m._33;
    const float cof[3][3] = {{e * i - f * h, f * g - d * i, d * h - e * g},
                             {c * h - b * i, a * i - c * g, b * g - a * h},
                             {b * f - c * e, c * d - a * f, a * e - b * d}};
    const float det = a * cof[0][0] + b * cof[0][1] + c * cof[0][2];
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col) out[r][col] = det == 0.0f ? 0.0f : cof[r][col] / det;
}

// Direct3D's clip depth runs 0..w and its pixel centres sit on integer
// coordinates; GL's depth runs -w..w and its centres sit at +0.5. This
// post-projection matrix maps one onto the other.
D3DMATRIX glClipAdjust(int width, int height) {
    D3DMATRIX m = identity();
    m._33 = 2.0f;
    m._43 = -1.0f;
    m._41 = 1.0f / width;
    m._42 = -1.0f / height;
    return m;
}

void colourToFloats(D3DCOLOR argb, float* rgba) {
    rgba[0] = ((argb >> 16) & 0xff) / 255.0f;
    rgba[1] = ((argb >> 8) & 0xff) / 255.0f;
    rgba[2] = (argb & 0xff) / 255.0f;
    rgba[3] = ((argb >> 24) & 0xff) / 255.0f;
}

uint8_t toByte(float value) {
    return static_cast<uint8_t>(std::lround(std::min(std::max(value, 0.0f), 1.0f) * 255.0f));
}

bool validLight(const D3DLIGHT9& l) {
    if (l.Type == D3DLIGHT_DIRECTIONAL)
        return l.Direction.x != 0 || l.Direction.y != 0 || l.Direction.z != 0;
    if (l.Type != D3DLIGHT_POINT) return false;  // spot lights are not drawn by this layer
    if (!(l.Range >= 0 && l.Range <= std::sqrt(FLT_MAX))) return false;
    if (!(l.Attenuation0 >= 0 && l.Attenuation1 >= 0 && l.Attenuation2 >= 0)) return false;
    return l.Attenuation0 + l.Attenuation1 + l.Attenuation2 > 0;
}

// The light LightEnable creates at an index never set: white, directional, along +z.
D3DLIGHT9 defaultLight() {
    D3DLIGHT9 l = {};
    l.Type = D3DLIGHT_DIRECTIONAL;
    l.Diffuse = {1, 1, 1, 0};
    l.Direction = {0, 0, 1};
    return l;
}

}  // namespace

bool vertexLayoutOf(DWORD fvf, VertexLayout* layout) {
    if ((fvf & kPositionMask) != D3DFVF_XYZ || (fvf & ~kDrawnBits) != 0) return false;
    const UINT texCount = (fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT;
    if (texCount > 8) return false;
    VertexLayout l;
    l.size = 12;
    if (fvf & D3DFVF_NORMAL) l.normal = l.size, l.size += 12;
    if (fvf & D3DFVF_DIFFUSE) l.diffuse = l.size, l.size += 4;
    if (fvf & D3DFVF_SPECULAR) l.size += 4;
    if (texCount > 0) l.texCoord = l.size;
    l.size += texCount * 8;
    *layout = l;
    return true;
}

VertexPipeline::VertexPipeline()
    : world_(identity()), view_(identity()), projection_(identity()), material_() {}

void VertexPipeline::setTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) {
    if (state == D3DTS_WORLD) world_ = matrix;
    if (state == D3DTS_VIEW) view_ = matrix, lightsDirty_ = true;
    if (state == D3DTS_PROJECTION) projection_ = matrix;
    dirty_ = true;
}

void VertexPipeline::setTargetSize(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    dirty_ = true;
}

HRESULT VertexPipeline::setLight(DWORD index, const D3DLIGHT9& light) {
    if (!validLight(light)) return D3DERR_INVALIDCALL;
    lights_[index].light = light;
    lightsDirty_ = true;
    return D3D_OK;
}

HRESULT VertexPipeline::enableLight(DWORD index, bool enable) {
    auto it = lights_.find(index);
    if (it == lights_.end()) {
        if (!enable) return D3D_OK;
        it = lights_.emplace(index, Light{defaultLight(), false}).first;
    }
    if (enable && !it->second.enabled) {
        int active = 0;
        for (const auto& entry : lights_) active += entry.second.enabled ? 1 : 0;
        if (active >= kMaxActiveLights) return D3DERR_INVALIDCALL;
    }
    it->second.enabled = enable;
    lightsDirty_ = true;
    return D3D_OK;
}

void VertexPipeline::prepare() {
    if (dirty_) {
        worldView_ = multiply(world_, view_);
        clip_ = multiply(multiply(worldView_, projection_), glClipAdjust(width_, height_));
        normalMatrixOf(worldView_, normalMatrix_);
        dirty_ = false;
    }
    if (lightsDirty_) prepareLights();
}

// Lights in view space, which only the view and the lights themselves move.
void VertexPipeline::prepareLights() {
    viewLights_.clear();
    for (const auto& entry : lights_) {
        if (!entry.second.enabled) continue;
        const D3DLIGHT9& l = entry.second.light;
        ViewLight v{&l, {0, 0, 0}, {0, 0, 0}};
        const float position[3] = {l.Position.x, l.Position.y, l.Position.z};
        transformPoint(position, view_, v.position, 3);
        float d[3];
        for (int c = 0; c < 3; ++c)
            d[c] = -(l.Direction.x * view_.m[0][c] + l.Direction.y * view_.m[1][c] +
                     l.Direction.z * view_.m[2][c]);
        const float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        for (int c = 0; c < 3; ++c) v.toLight[c] = length > 0 ? d[c] / length : 0;
        viewLights_.push_back(v);
    }
    lightsDirty_ = false;
}

// Lit colour = emissive + ambient material * (global ambient + sum of light
// ambient * attenuation) + diffuse source * sum of light diffuse * N.L *
// attenuation; alpha from the diffuse source. Normals are used as
// transformed, not renormalised, as with D3DRS_NORMALIZENORMALS off.
void VertexPipeline::lightVertex(const float* position, const float* normal, const float* diffuse,
                                 float* rgba) const {
    float ambient[3], lit[3] = {0, 0, 0};
    float global[4];
    colourToFloats(ambient_, global);
    for (int c = 0; c < 3; ++c) ambient[c] = global[c];
    for (const ViewLight& v : viewLights_) {
        const D3DLIGHT9& l = *v.light;
        float toLight[3], attenuation = 1.0f;
        if (l.Type == D3DLIGHT_POINT) {
            for (int c = 0; c < 3; ++c) toLight[c] = v.position[c] - position[c];
            const float d = std::sqrt(toLight[0] * toLight[0] + toLight[1] * toLight[1] +
                                      toLight[2] * toLight[2]);
            if (d > l.Range) continue;
            attenuation = 1.0f / (l.Attenuation0 + l.Attenuation1 * d + l.Attenuation2 * d * d);
            for (int c = 0; c < 3; ++c) toLight[c] = d > 0 ? toLight[c] / d : 0;
        } else {
            std::memcpy(toLight, v.toLight, sizeof toLight);
        }
        const float nDotL = std::max(
            0.0f, normal[0] * toLight[0] + normal[1] * toLight[1] + normal[2] * toLight[2]);
        const float la[3] = {l.Ambient.r, l.Ambient.g, l.Ambient.b};
        const float ld[3] = {l.Diffuse.r, l.Diffuse.g, l.Diffuse.b};
        for (int c = 0; c < 3; ++c) {
            ambient[c] += la[c] * attenuation;
            lit[c] += ld[c] * nDotL * attenuation;
        }
    }
    const float emissive[3] = {material_.Emissive.r, material_.Emissive.g, material_.Emissive.b};
    const float ambientMaterial[3] = {material_.Ambient.r, material_.Ambient.g,
                                      material_.Ambient.b};
    for (int c = 0; c < 3; ++c)
        rgba[c] = emissive[c] + ambientMaterial[c] * ambient[c] + diffuse[c] * lit[c];
    rgba[3] = diffuse[3];
}

void VertexPipeline::process(const uint8_t* vertices, UINT stride, const VertexLayout& layout,
                             UINT count, TransformedVertices* out) {
    prepare();
    const float material[4] = {material_.Diffuse.r, material_.Diffuse.g, material_.Diffuse.b,
                               material_.Diffuse.a};
    for (UINT i = 0; i < count; ++i) {
        const uint8_t* vertex = vertices + static_cast<size_t>(i) * stride;
        float position[3], normal[3] = {0, 0, 0}, diffuse[4] = {1, 1, 1, 1}, rgba[4];
        std::memcpy(position, vertex, sizeof position);
        if (layout.normal >= 0) std::memcpy(normal, vertex + layout.normal, sizeof normal);
        if (layout.diffuse >= 0) {
            D3DCOLOR argb;
            std::memcpy(&argb, vertex + layout.diffuse, sizeof argb);
            colourToFloats(argb, diffuse);
        }
        float clip[4];
        transformPoint(position, clip_, clip, 4);
        out->clip.insert(out->clip.end(), clip, clip + 4);
        if (lighting_) {
            float viewPosition[3], viewNormal[3];
            transformPoint(position, worldView_, viewPosition, 3);
            for (int c = 0; c < 3; ++c)
                viewNormal[c] = normal[0] * normalMatrix_[0][c] + normal[1] * normalMatrix_[1][c] +
                                normal[2] * normalMatrix_[2][c];
            lightVertex(viewPosition, viewNormal, layout.diffuse >= 0 ? diffuse : material, rgba);
        } else {
            std::memcpy(rgba, diffuse, sizeof rgba);
        }
        for (int c = 0; c < 4; ++c) out->colour.push_back(toByte(rgba[c]));
        float uv[2] = {0, 0};
        if (layout.texCoord >= 0) std::memcpy(uv, vertex + layout.texCoord, sizeof uv);
        out->texCoord.insert(out->texCoord.end(), uv, uv + 2);
    }
}

}  // namespace d3d9
}  // namespace platform
