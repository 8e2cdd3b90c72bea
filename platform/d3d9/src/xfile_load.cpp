// The merge of a .x file's meshes into one, as D3DXLoadMeshFromX returns it:
// positions and normals moved by their frames, a vertex per distinct
// position and normal pair, polygons split into fans, and each mesh's
// material numbers shifted past the materials of the meshes before it.
#include "xfile_load.h"

#include <cmath>
#include <map>
#include <utility>

#include "xfile_mszip.h"
#include "xfile_raw.h"
#include "xfile_tokens.h"

namespace platform {
namespace d3d9 {
namespace {

// A mesh without a material list gets one plain material.
XMaterial defaultMaterial() {
    XMaterial m;
    m.material = D3DMATERIAL9{};
    m.material.Diffuse = {0.5f, 0.5f, 0.5f, 1};
    m.material.Specular = m.material.Emissive = {0, 0, 0, 1};
    return m;
}

void transformPoint(const float* m, const float* p, float* out) {
    for (int c = 0; c < 3; ++c)
        out[c] = p[0] * m[c] + p[1] * m[4 + c] + p[2] * m[8 + c] + m[12 + c];
}

// Normals follow the inverse transpose of the frame matrix, renormalised.
void transformNormal(const float* m, const float* n, float* out) {
    const float a = m[0], b = m[1], c = m[2], d = m[4], e = m[5], f = m[6], g = m[8], h = m[9],
                i = m[10];
    const float cof[9] = {e * i - f * h, f * g - d * i, d * h - e * g, c * h - b * i, a * i - c * g,
                          b * g - a * h, b * f - c * e, c * d - a * f, a * e - b * d};
    for (int k = 0; k < 3; ++k) out[k] = n[0] * cof[k] + n[1] * cof[3 + k] + n[2] * cof[6 + k];
    const float det = a * cof[0] + b * cof[1] + c * cof[2];
    const float length = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
    const float scale = length > 0 && std::isfinite(length) ? (det < 0 ? -1 : 1) / length : 0;
    for (int k = 0; k < 3; ++k) out[k] *= scale;
}

bool normalsUsable(const RawMesh& mesh) {
    if (mesh.normalFaces.size() != mesh.faces.size()) return false;
    for (size_t f = 0; f < mesh.faces.size(); ++f)
        if (mesh.normalFaces[f].indices.size() != mesh.faces[f].indices.size()) return false;
    return true;
}

// Appends one mesh; false when the merged mesh would grow past the limits.
bool appendMesh(const RawMesh& mesh, XMeshData* out) {
    const bool withNormals = !mesh.normals.empty() && normalsUsable(mesh);
    const uint32_t materialBase = static_cast<uint32_t>(out->materials.size());
    std::map<std::pair<uint32_t, uint32_t>, uint32_t> vertexOf;
    auto vertex = [&](size_t f, size_t k) -> uint32_t {
        const uint32_t p = mesh.faces[f].indices[k];
        const uint32_t n = withNormals ? mesh.normalFaces[f].indices[k] : 0;
        auto found = vertexOf.find({p, n});
        if (found != vertexOf.end()) return found->second;
        XVertex v = {};
        transformPoint(mesh.world, &mesh.positions[p * 3], v.position);
        if (withNormals) transformNormal(mesh.world, &mesh.normals[n * 3], v.normal);
        if (!mesh.uvs.empty()) {
            v.uv[0] = mesh.uvs[p * 2];
            v.uv[1] = mesh.uvs[p * 2 + 1];
        }
        const uint32_t index = static_cast<uint32_t>(out->vertices.size());
        out->vertices.push_back(v);
        vertexOf[{p, n}] = index;
        return index;
    };
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        // Faces past the end of the material list keep the list's last material.
        uint32_t material = 0;
        if (!mesh.faceMaterials.empty())
            material = mesh.faceMaterials[std::min(f, mesh.faceMaterials.size() - 1)];
        const std::vector<uint32_t>& corners = mesh.faces[f].indices;
        for (size_t k = 1; k + 1 < corners.size(); ++k) {
            if (out->attributes.size() >= kMaxXFaces) return false;
            out->indices.push_back(vertex(f, 0));
            out->indices.push_back(vertex(f, k));
            out->indices.push_back(vertex(f, k + 1));
            out->attributes.push_back(materialBase + material);
        }
        if (out->vertices.size() > kMaxXVertices) return false;
    }
    if (mesh.materials.empty())
        out->materials.push_back(defaultMaterial());
    else
        out->materials.insert(out->materials.end(), mesh.materials.begin(), mesh.materials.end());
    return true;
}

}  // namespace

const char* loadXFile(const uint8_t* bytes, size_t size, XMeshData* mesh) {
    std::vector<uint8_t> unpacked;
    if (isCompressedXFile(bytes, size)) {
        if (const char* reason = unpackXFile(bytes, size, &unpacked)) return reason;
        bytes = unpacked.data();
        size = unpacked.size();
    }
    XTokens tokens;
    if (const char* reason = tokeniseXFile(bytes, size, &tokens)) return reason;
    std::vector<RawMesh> raw;
    if (const char* reason = parseXTokens(tokens, &raw)) return reason;
    XMeshData out;
    for (const RawMesh& m : raw)
        if (!appendMesh(m, &out)) return "mesh too large";
    if (out.attributes.empty()) return "no faces";
    *mesh = std::move(out);
    return nullptr;
}

}  // namespace d3d9
}  // namespace platform
