// Software transform and lighting with Direct3D 9's fixed-function rules.
#include "vertex_pipeline.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "vertex_arithmetic.h"

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

// Inverse transpose of the upper 3x3 (row-major in m), the matrix normals are
// carried by; a singular matrix gives zero normals rather than infinities.
void normalMatrixOf(const float m[3][3], float out[3][3]) {
    const float a = m[0][0], b = m[0][1], c = m[0][2], d = m[1][0], e = m[1][1], f = m[1][2],
                g = m[2][0], h = m[2][1], i = m[2][2];
    const float cof[3][3] = {{e * i - f * h, f * g - d * i, d * h - e * g},
                             {c * h - b * i, a * i - c * g, b * g - a * h},
                             {b * f - c * e, c * d - a * f, a * e - b * d}};
    const float det = a * cof[0][0] + b * cof[0][1] + c * cof[0][2];
    for (int r = 0; r < 3; ++r)
        for (int col = 0; col < 3; ++col) out[r][col] = det == 0.0f ? 0.0f : cof[r][col] / det;
}

// The clip planes (x, y, z against -w and w) a clip-space point lies beyond,
// one bit each. Primitives whose vertices all lie beyond one plane are
// clipped away whole by GL, so they can be dropped before lighting.
const unsigned kAllPlanes = 0x3f;
unsigned outsidePlanes(const float* clip) {
    const float w = clip[3];
    unsigned planes = 0;
    for (int c = 0; c < 3; ++c) {
        planes |= clip[c] < -w ? 1u << (2 * c) : 0u;
        planes |= clip[c] > w ? 2u << (2 * c) : 0u;
    }
    return planes;
}

// byte / 255.0f for every byte, so colours convert without dividing.
struct ByteFractions {
    float value[256];
    ByteFractions() {
        for (int i = 0; i < 256; ++i) value[i] = i / 255.0f;
    }
};
const ByteFractions kByteFractions;

void colourToFloats(D3DCOLOR argb, float* rgba) {
    rgba[0] = kByteFractions.value[(argb >> 16) & 0xff];
    rgba[1] = kByteFractions.value[(argb >> 8) & 0xff];
    rgba[2] = kByteFractions.value[argb & 0xff];
    rgba[3] = kByteFractions.value[(argb >> 24) & 0xff];
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
    if (fvf & D3DFVF_NORMAL) {
        l.normal = l.size;
        l.size += 12;
    }
    if (fvf & D3DFVF_DIFFUSE) {
        l.diffuse = l.size;
        l.size += 4;
    }
    if (fvf & D3DFVF_SPECULAR) l.size += 4;
    if (texCount > 0) l.texCoord = l.size;
    l.size += texCount * 8;
    *layout = l;
    return true;
}

size_t TransformedVertices::extend(size_t n) {
    const size_t first = count;
    count += n;
    if (clip.size() < count * 4) {
        const size_t room = std::max<size_t>(count * 2, 1024);
        clip.resize(room * 4);
        colour.resize(room * 4);
        texCoord.resize(room * 2);
    }
    return first;
}

VertexPipeline::VertexPipeline()
    : world_(identity()), view_(identity()), projection_(identity()), material_() {}

void VertexPipeline::setAmbient(D3DCOLOR ambient) {
    colourToFloats(ambient, globalAmbient_);
}

void VertexPipeline::setTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix) {
    // Setting the matrix already in place (each line's identity world) keeps
    // what was worked out from it.
    const D3DMATRIX* current = state == D3DTS_WORLD  ? &world_
                               : state == D3DTS_VIEW ? &view_
                                                     : &projection_;
    if (std::memcmp(current, &matrix, sizeof matrix) == 0) return;
    if (state == D3DTS_WORLD) world_ = matrix;
    if (state == D3DTS_VIEW) {
        view_ = matrix;
        lightsDirty_ = true;
    }
    if (state == D3DTS_PROJECTION) projection_ = matrix;
    dirty_ = true;
}

void VertexPipeline::setTargetSize(int width, int height) {
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    shiftX_ = 1.0f / width_;
    shiftY_ = -1.0f / height_;
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
        prepareMatrices();
        lastNormalValid_ = false;
        dirty_ = false;
    }
    if (lightsDirty_) prepareLights();
}

// World-view, clip and normal matrices for a new world, view or projection.
// The SSE form keeps each row in a register from product to product: rows
// read back straight after being stored wait for the store on some cores.
void VertexPipeline::prepareMatrices() {
#if defined(KELVANE_VERTEX_SSE)
    float upper[3][3];
    for (int r = 0; r < 4; ++r) {
        const __m128 worldView = rowTimes(_mm_loadu_ps(world_.m[r]), view_.m);
        _mm_storeu_ps(worldView_.m[r], worldView);
        _mm_storeu_ps(clip_.m[r],
                      clipAdjustedRow(rowTimes(worldView, projection_.m), shiftX_, shiftY_));
        if (r < 3) firstThree(worldView, upper[r]);
    }
    normalMatrixOf(upper, normalMatrix_);
#else
    worldView_ = multiply(world_, view_);
    clip_ = glClipAdjusted(multiply(worldView_, projection_), shiftX_, shiftY_);
    const float upper[3][3] = {{worldView_._11, worldView_._12, worldView_._13},
                               {worldView_._21, worldView_._22, worldView_._23},
                               {worldView_._31, worldView_._32, worldView_._33}};
    normalMatrixOf(upper, normalMatrix_);
#endif
}

// Lights in view space, which only the view and the lights themselves move.
void VertexPipeline::prepareLights() {
    viewLights_.clear();
    for (const auto& entry : lights_) {
        if (!entry.second.enabled) continue;
        const D3DLIGHT9& l = entry.second.light;
        ViewLight v{&l,
                    l.Type == D3DLIGHT_POINT,
                    {0, 0, 0},
                    {0, 0, 0},
                    {l.Ambient.r, l.Ambient.g, l.Ambient.b},
                    {l.Diffuse.r, l.Diffuse.g, l.Diffuse.b}};
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

// Direction to a point light and its attenuation for each lane; a lane the
// light's range does not reach is not lit by it. The SSE form does the same
// operations in the same order on four lanes at once, so the bits agree.
void VertexPipeline::pointLightLanes(const ViewLight& v, const Lanes& lanes,
                                     float toLight[3][kLanes], float attenuation[kLanes],
                                     bool reached[kLanes]) const {
    const D3DLIGHT9& l = *v.light;
#if defined(KELVANE_VERTEX_SSE)
    static_assert(kLanes == 4, "one SSE register per component");
    __m128 t[3];
    for (int c = 0; c < 3; ++c)
        t[c] = _mm_sub_ps(_mm_set1_ps(v.position[c]), _mm_loadu_ps(lanes.position[c]));
    const __m128 d = _mm_sqrt_ps(_mm_add_ps(
        _mm_add_ps(_mm_mul_ps(t[0], t[0]), _mm_mul_ps(t[1], t[1])), _mm_mul_ps(t[2], t[2])));
    const int beyond = _mm_movemask_ps(_mm_cmpgt_ps(d, _mm_set1_ps(l.Range)));
    for (int i = 0; i < kLanes; ++i) reached[i] = (beyond & (1 << i)) == 0;
    const __m128 linear =
        _mm_add_ps(_mm_set1_ps(l.Attenuation0), _mm_mul_ps(_mm_set1_ps(l.Attenuation1), d));
    const __m128 quadratic = _mm_mul_ps(_mm_mul_ps(_mm_set1_ps(l.Attenuation2), d), d);
    _mm_storeu_ps(attenuation, _mm_div_ps(_mm_set1_ps(1.0f), _mm_add_ps(linear, quadratic)));
    const __m128 away = _mm_cmpgt_ps(d, _mm_setzero_ps());
    for (int c = 0; c < 3; ++c) _mm_storeu_ps(toLight[c], _mm_and_ps(away, _mm_div_ps(t[c], d)));
#else
    for (int i = 0; i < kLanes; ++i) {
        float t[3];
        for (int c = 0; c < 3; ++c) t[c] = v.position[c] - lanes.position[c][i];
        const float d = std::sqrt(t[0] * t[0] + t[1] * t[1] + t[2] * t[2]);
        reached[i] = !(d > l.Range);
        attenuation[i] = 1.0f / (l.Attenuation0 + l.Attenuation1 * d + l.Attenuation2 * d * d);
        for (int c = 0; c < 3; ++c) toLight[c][i] = d > 0 ? t[c] / d : 0;
    }
#endif
}

// Lit colour = emissive + ambient material * (global ambient + sum of light
// ambient * attenuation) + diffuse source * sum of light diffuse * N.L *
// attenuation; alpha from the diffuse source. Normals are used as
// transformed, not renormalised, as with D3DRS_NORMALIZENORMALS off.
void VertexPipeline::lightLanes(Lanes* lanes) const {
    float ambient[3][kLanes], lit[3][kLanes] = {};
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < kLanes; ++i) ambient[c][i] = globalAmbient_[c];
    for (const ViewLight& v : viewLights_) {
        float toLight[3][kLanes], attenuation[kLanes];
        bool reached[kLanes];
        if (v.point) {
            pointLightLanes(v, *lanes, toLight, attenuation, reached);
        } else {
            for (int i = 0; i < kLanes; ++i) {
                for (int c = 0; c < 3; ++c) toLight[c][i] = v.toLight[c];
                attenuation[i] = 1.0f;
                reached[i] = true;
            }
        }
        const float(*n)[kLanes] = lanes->normal;
        for (int i = 0; i < kLanes; ++i) {
            if (!reached[i]) continue;
            const float nDotL = std::max(
                0.0f, n[0][i] * toLight[0][i] + n[1][i] * toLight[1][i] + n[2][i] * toLight[2][i]);
            for (int c = 0; c < 3; ++c) {
                ambient[c][i] += v.ambient[c] * attenuation[i];
                lit[c][i] += v.diffuse[c] * nDotL * attenuation[i];
            }
        }
    }
    const float emissive[3] = {material_.Emissive.r, material_.Emissive.g, material_.Emissive.b};
    const float ambientMaterial[3] = {material_.Ambient.r, material_.Ambient.g,
                                      material_.Ambient.b};
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < kLanes; ++i)
            lanes->rgba[c][i] =
                emissive[c] + ambientMaterial[c] * ambient[c][i] + lanes->diffuse[c][i] * lit[c][i];
    for (int i = 0; i < kLanes; ++i) lanes->rgba[3][i] = lanes->diffuse[3][i];
}

// Puts what lighting needs of one vertex in a lane.
void VertexPipeline::loadVertex(const uint8_t* vertex, const VertexLayout& layout,
                                const float* material, Lanes* lanes, int lane) {
    float position[3], diffuse[4] = {1, 1, 1, 1};
    std::memcpy(position, vertex, sizeof position);
    if (layout.diffuse >= 0) {
        D3DCOLOR argb;
        std::memcpy(&argb, vertex + layout.diffuse, sizeof argb);
        colourToFloats(argb, diffuse);
    }
    const float* source = lighting_ && layout.diffuse < 0 ? material : diffuse;
    for (int c = 0; c < 4; ++c) lanes->diffuse[c][lane] = source[c];
    if (!lighting_) return;
    float normal[3] = {0, 0, 0}, viewPosition[4];
    if (layout.normal >= 0) std::memcpy(normal, vertex + layout.normal, sizeof normal);
    if (!lastNormalValid_ || std::memcmp(normal, lastNormal_, sizeof normal) != 0) {
        for (int c = 0; c < 3; ++c)
            lastViewNormal_[c] = normal[0] * normalMatrix_[0][c] + normal[1] * normalMatrix_[1][c] +
                                 normal[2] * normalMatrix_[2][c];
        std::memcpy(lastNormal_, normal, sizeof normal);
        lastNormalValid_ = true;
    }
    transformPoint4(position, worldView_, viewPosition);
    for (int c = 0; c < 3; ++c) {
        lanes->position[c][lane] = viewPosition[c];
        lanes->normal[c][lane] = lastViewNormal_[c];
    }
}

bool VertexPipeline::process(const uint8_t* vertices, UINT stride, const VertexLayout& layout,
                             UINT count, TransformedVertices* out) {
    prepare();
    const float material[4] = {material_.Diffuse.r, material_.Diffuse.g, material_.Diffuse.b,
                               material_.Diffuse.a};
    const size_t first = out->extend(count);
    unsigned outside = kAllPlanes;
    for (UINT i = 0; i < count; ++i) {
        float position[3];
        std::memcpy(position, vertices + static_cast<size_t>(i) * stride, sizeof position);
        float* clip = &out->clip[(first + i) * 4];
        transformPoint4(position, clip_, clip);
        outside &= outsidePlanes(clip);
    }
    if (outside != 0) {
        out->count = first;
        return false;
    }
    for (UINT start = 0; start < count; start += kLanes) {
        const int used = static_cast<int>(std::min<UINT>(kLanes, count - start));
        Lanes lanes = {};  // unused lanes light zeros and are dropped
        for (int i = 0; i < used; ++i)
            loadVertex(vertices + static_cast<size_t>(start + i) * stride, layout, material, &lanes,
                       i);
        if (lighting_) {
            lightLanes(&lanes);
        } else {
            std::memcpy(lanes.rgba, lanes.diffuse, sizeof lanes.rgba);
        }
        uint8_t bytes[kLanes][4];
        lanesToBytes(lanes.rgba, bytes);
        for (int i = 0; i < used; ++i) {
            const size_t at = first + start + i;
            std::memcpy(&out->colour[at * 4], bytes[i], 4);
            float* uv = &out->texCoord[at * 2];
            uv[0] = uv[1] = 0;
            const uint8_t* vertex = vertices + static_cast<size_t>(start + i) * stride;
            if (layout.texCoord >= 0) std::memcpy(uv, vertex + layout.texCoord, 2 * sizeof(float));
        }
    }
    return true;
}

}  // namespace d3d9
}  // namespace platform
