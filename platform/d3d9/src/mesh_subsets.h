// A loaded mesh's faces grouped by attribute, the layout D3DX gives a mesh
// after loading: one contiguous run of faces per subset, so drawing a subset
// is one indexed draw over the vertices that run uses.
#ifndef KELVANE_D3D9_MESH_SUBSETS_H
#define KELVANE_D3D9_MESH_SUBSETS_H

#include <cstdint>
#include <vector>

#include "xfile_load.h"

namespace platform {
namespace d3d9 {

struct MeshSubset {  // the fields of D3DXATTRIBUTERANGE
    uint32_t attribute;
    uint32_t faceStart;
    uint32_t faceCount;
    uint32_t vertexStart;  // lowest vertex the run's faces use
    uint32_t vertexCount;  // highest - lowest + 1
};

struct MeshSubsets {
    std::vector<uint32_t> indices;     // three per face, faces in subset order
    std::vector<uint32_t> attributes;  // per face, in the same order
    std::vector<MeshSubset> subsets;   // ascending attribute, faces in file order
    std::vector<int32_t> byAttribute;  // subset of each attribute below the
                                       // material count, -1 where none
};

MeshSubsets groupFacesByAttribute(const XMeshData& mesh);

// The subset that draws an attribute, or null when no face carries it.
const MeshSubset* findSubset(const MeshSubsets& grouped, uint32_t attribute);

}  // namespace d3d9
}  // namespace platform

#endif
