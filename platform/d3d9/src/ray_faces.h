// The nearest face of a mesh a ray meets: the arithmetic of D3DXIntersect,
// shared by the stand-in and the Windows build's own D3DX.
#ifndef KELVANE_D3D9_RAY_FACES_H
#define KELVANE_D3D9_RAY_FACES_H

#include <cstddef>
#include <cstdint>

namespace platform {
namespace d3d9 {

struct FaceHit {
    bool found = false;
    uint32_t face = 0;   // of the nearest hit
    uint32_t count = 0;  // faces met ahead of the origin
    double t = 0, u = 0, v = 0;
};

// Faces from either side, met at origin + t * direction with t >= 0. Each
// vertex is `stride` bytes starting with its position as three floats; a
// face with an index at or past vertexCount is skipped.
FaceHit nearestFaceHit(const double origin[3], const double direction[3],
                       const unsigned char* vertices, size_t stride, size_t vertexCount,
                       const uint32_t* indices, size_t faceCount);

}  // namespace d3d9
}  // namespace platform

#endif
