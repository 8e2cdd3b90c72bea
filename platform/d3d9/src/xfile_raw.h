// What the .x parser hands to the merge: each Mesh object as written, with
// the world matrix of the frame it sits in.
#ifndef KELVANE_D3D9_XFILE_RAW_H
#define KELVANE_D3D9_XFILE_RAW_H

#include <cstdint>
#include <vector>

#include "xfile_load.h"
#include "xfile_tokens.h"

namespace platform {
namespace d3d9 {

struct XFace {
    std::vector<uint32_t> indices;
};

struct RawMesh {
    float world[16];               // row-vector matrix of the enclosing frames
    std::vector<float> positions;  // 3 per vertex
    std::vector<XFace> faces;
    std::vector<float> normals;      // 3 per normal
    std::vector<XFace> normalFaces;  // normal indices, face by face
    std::vector<float> uvs;          // 2 per vertex
    std::vector<uint32_t> faceMaterials;
    std::vector<XMaterial> materials;
};

// Null on success, else why the tokens are not a mesh file.
const char* parseXTokens(const XTokens& tokens, std::vector<RawMesh>* meshes);

}  // namespace d3d9
}  // namespace platform

#endif
