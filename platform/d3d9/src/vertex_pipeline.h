// Direct3D 9's fixed-function vertex processing done in software: the world,
// view and projection transforms and per-vertex lighting with Direct3D's
// formula (material sources, global ambient, point-light range and
// attenuation), producing clip-space positions OpenGL can rasterise as is.
#ifndef KELVANE_D3D9_VERTEX_PIPELINE_H
#define KELVANE_D3D9_VERTEX_PIPELINE_H

#include <d3d9.h>

#include <cstdint>
#include <map>
#include <vector>

namespace platform {
namespace d3d9 {

// Where the parts of one vertex lie, from its flexible vertex format.
struct VertexLayout {
    UINT size = 0;
    int normal = -1;  // byte offsets; -1 = absent
    int diffuse = -1;
    int texCoord = -1;  // first set only
};

// False for formats the layer does not draw (pre-transformed, blended,
// point-sized or non-2D texture coordinates).
bool vertexLayoutOf(DWORD fvf, VertexLayout* layout);

// Output of the pipeline, laid out for GL client arrays. The arrays only
// ever grow and clearing keeps them, so a device that has drawn a frame once
// draws the next without allocating or zeroing vertex memory.
struct TransformedVertices {
    std::vector<float> clip;      // x, y, z, w per vertex (GL clip space)
    std::vector<uint8_t> colour;  // r, g, b, a per vertex
    std::vector<float> texCoord;  // u, v per vertex
    size_t count = 0;             // vertices in use; the arrays may hold more
    // Makes room for n more vertices and counts them; returns the first one's index.
    size_t extend(size_t n);
    void clear() { count = 0; }
};

class VertexPipeline {
public:
    VertexPipeline();

    void setTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX& matrix);
    // Back-buffer size, for Direct3D's pixel-centre convention.
    void setTargetSize(int width, int height);
    void setMaterial(const D3DMATERIAL9& material) { material_ = material; }
    // D3DERR_INVALIDCALL for light kinds or values the layer does not light with.
    HRESULT setLight(DWORD index, const D3DLIGHT9& light);
    HRESULT enableLight(DWORD index, bool enable);
    void setLighting(bool on) { lighting_ = on; }
    void setAmbient(D3DCOLOR ambient);

    // Transforms and lights count vertices of the given layout, appending to
    // out. False, with nothing appended, when all of them lie beyond one clip
    // plane: nothing drawn from them could show.
    bool process(const uint8_t* vertices, UINT stride, const VertexLayout& layout, UINT count,
                 TransformedVertices* out);

private:
    struct Light {
        D3DLIGHT9 light;
        bool enabled = false;
    };
    // A light ready for one batch: position or direction in view space.
    struct ViewLight {
        const D3DLIGHT9* light;
        bool point;
        float position[3];
        float toLight[3];  // directional: unit vector towards the light
        float ambient[3], diffuse[3];
    };
    // A few vertices between transform and output, one array per component,
    // so that the lighting of neighbours is independent work that overlaps.
    static constexpr int kLanes = 4;
    struct Lanes {
        float position[3][kLanes];  // view space
        float normal[3][kLanes];    // view space
        float diffuse[4][kLanes];   // the diffuse source
        float rgba[4][kLanes];
    };
    void prepare();
    void prepareMatrices();
    void prepareLights();
    void lightLanes(Lanes* lanes) const;
    void pointLightLanes(const ViewLight& light, const Lanes& lanes, float toLight[3][kLanes],
                         float attenuation[kLanes], bool reached[kLanes]) const;
    void loadVertex(const uint8_t* vertex, const VertexLayout& layout, const float* material,
                    Lanes* lanes, int lane);

    D3DMATRIX world_, view_, projection_;
    int width_ = 1, height_ = 1;
    float shiftX_ = 1.0f, shiftY_ = -1.0f;  // GL's half-pixel offset in clip units
    D3DMATERIAL9 material_;
    std::map<DWORD, Light> lights_;
    bool lighting_ = true;
    float globalAmbient_[4] = {0, 0, 0, 0};

    bool dirty_ = true;        // world, view or projection changed
    bool lightsDirty_ = true;  // view or lights changed
    D3DMATRIX worldView_, clip_;
    float normalMatrix_[3][3];
    std::vector<ViewLight> viewLights_;
    // The last normal carried into view space: quads share one normal.
    float lastNormal_[3], lastViewNormal_[3];
    bool lastNormalValid_ = false;
};

}  // namespace d3d9
}  // namespace platform

#endif
