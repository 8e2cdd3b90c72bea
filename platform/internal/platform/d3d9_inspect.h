// What tests may look at inside the Direct3D layer beyond the SDK's calls:
// how many layer objects are alive, and the contents of textures and meshes.
// The last presented frame of a window is read with readPresentedFrame
// (window_surface.h).
#ifndef KELVANE_PLATFORM_D3D9_INSPECT_H
#define KELVANE_PLATFORM_D3D9_INSPECT_H

#include <d3d9.h>
#include <d3dx9.h>

#include <cstdint>
#include <vector>

namespace platform {
namespace d3d9 {

// Objects of the layer not yet destroyed (Direct3D objects, devices, vertex
// buffers, textures, meshes, buffers). A balanced test returns to its start value.
int liveObjectCount();

// A texture's top level as RGBA bytes, rows top-down.
struct TextureImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};
bool readTexture(IDirect3DTexture9* texture, TextureImage* image);

// A mesh's geometry in Direct3D's coordinates.
struct MeshVertex {
    float position[3];
    float normal[3];
    float uv[2];
};
struct MeshContents {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;     // three per face
    std::vector<uint32_t> attributes;  // one attribute id per face
};
bool readMesh(ID3DXMesh* mesh, MeshContents* contents);

}  // namespace d3d9
}  // namespace platform

#endif
