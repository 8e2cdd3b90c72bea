// Reading .x files (text and binary) into one merged mesh in
// Direct3D's left-handed coordinates, as D3DXLoadMeshFromXA returns it.
#ifndef KELVANE_D3D9_XFILE_LOAD_H
#define KELVANE_D3D9_XFILE_LOAD_H

#include <d3d9.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
namespace d3d9 {

struct XVertex {  // D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1
    float position[3];
    float normal[3];
    float uv[2];
};

struct XMaterial {
    D3DMATERIAL9 material;
    std::string textureFile;  // as written in the file; empty when none
};

struct XMeshData {
    std::vector<XVertex> vertices;
    std::vector<uint32_t> indices;     // three per face
    std::vector<uint32_t> attributes;  // material index per face
    std::vector<XMaterial> materials;  // one per subset, in file order
};

// Largest mesh accepted, in vertices and in faces.
const size_t kMaxXVertices = 1u << 21;
const size_t kMaxXFaces = 1u << 21;

// Null on success, else why the bytes are not a mesh the layer reads.
const char* loadXFile(const uint8_t* bytes, size_t size, XMeshData* mesh);

}  // namespace d3d9
}  // namespace platform

#endif
